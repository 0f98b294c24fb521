// The command engine: recognises the options on the command line and runs their action.
#pragma once

#include "hardware/system_controller.h"
#include "platform/platform.h"

#include <string>
#include <string_view>

/// Exit statuses of the tool.
inline constexpr int kExitSuccess = 0;
/// The hardware-access library, the companion's event or standard output failed.
inline constexpr int kExitFailure = 1;
/// The command line cannot be taken as it stands.
inline constexpr int kExitUsage = 2;

/// The companion program's presence is keyed on this name; the event wakes it.
inline constexpr char kCompanionWindowClass[] = "VelmiraClass";
inline constexpr char kNotifyEventName[] = "VelmiraNotifyEvent";
/// The one text the user sees when the hardware-access library cannot be bound.
inline constexpr char kHardwareLoadError[] = "TALV.dll ERROR!";

class VelmiraCmdEngine {
public:
  virtual ~VelmiraCmdEngine() = default;

  /// Runs the action that `line` (joined, lower-cased, empty or ending in a space) asks for:
  /// "/set=" before "/get" before "/?", with "/skip" alongside any of them. The library is
  /// bound first, for every line, and released at the end. Returns the exit status.
  int Run(std::string_view line);

  /// Writes the usage text to standard output.
  void ShowUsage();

  /// Binds the hardware-access library. On failure it shows kHardwareLoadError and returns
  /// false with nothing bound.
  bool LoadHardwareLibrary();
  /// Gives back what LoadHardwareLibrary took.
  void FreeHardwareLibrary();

  /// Reads the status once and prints one line for the wireless radio, then one for Bluetooth.
  void ReportStatus();

  /// Switches each present radio on for the value '1' and off for any other byte, prints one
  /// line per radio and notifies the companion. Returns false, with the reason in `error`,
  /// only when the companion's event could not be opened.
  bool ApplyRadioSettings(char bluetoothValue, char wirelessValue, std::string *error);

  /// Signals the companion's event when the companion runs. Returns false, with the reason in
  /// `error`, when the event can be neither created nor opened.
  bool NotifyCompanion(std::string *error);
  void SignalCompanion(platform::NamedEvent *event);

private:
  bool WirelessCounts() const { return m_controller.IsWirelessPresent() == 1 || m_bSkipDetect; }
  bool BluetoothCounts() const { return m_controller.IsBluetoothPresent() == 1 || m_bSkipDetect; }

  bool m_bSkipDetect = false;
  SystemController m_controller;
  platform::NamedEvent *m_pNotifyEvent = nullptr; // kept open until the process ends
  platform::ModuleHandle m_hHardwareLib = nullptr;
  bool m_bHardwareLibLoaded = false; // false for a module adopted from the process
};

/// Where `option` first occurs in `line`, starting on a character boundary, or npos.
std::size_t FindOption(std::string_view line, std::string_view option);
