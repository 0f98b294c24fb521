// The companion side of Velmira's notification on Linux, for a desktop program that wants to
// hear when velmira has switched the radios (and for the tests).
//
// A running companion holds a CompanionWindow, which velmira finds by its class name, and
// usually a NotifyEvent, which velmira signals after every switch.
#pragma once

#include <memory>
#include <string>

namespace companion {

inline constexpr char kWindowClass[] = "VelmiraClass";
inline constexpr char kEventName[] = "VelmiraNotifyEvent";

/// The companion's presence: velmira notifies only while one exists.
class CompanionWindow {
public:
  /// Registers the presence; null with the reason in `error` when another companion holds it.
  static std::unique_ptr<CompanionWindow> Register(std::string *error);
  ~CompanionWindow();
  CompanionWindow(const CompanionWindow &) = delete;
  CompanionWindow &operator=(const CompanionWindow &) = delete;

private:
  explicit CompanionWindow(int socket) : m_socket(socket) {}
  int m_socket;
};

enum class ResetMode { Automatic, Manual };

/// The named event "VelmiraNotifyEvent", created not signalled.
class NotifyEvent {
public:
  static std::unique_ptr<NotifyEvent> Create(ResetMode mode, std::string *error);
  ~NotifyEvent();
  NotifyEvent(const NotifyEvent &) = delete;
  NotifyEvent &operator=(const NotifyEvent &) = delete;

  /// Waits up to `timeoutMs` (negative: for ever) for the event to be signalled. Returns true
  /// when it is; an automatic-reset event is then non-signalled again, a manual-reset one stays
  /// signalled until Reset.
  bool Wait(int timeoutMs);
  /// Returns the event to non-signalled.
  void Reset();

private:
  NotifyEvent(int socket, ResetMode mode) : m_socket(socket), m_mode(mode) {}
  int m_socket;
  ResetMode m_mode;
};

} // namespace companion
