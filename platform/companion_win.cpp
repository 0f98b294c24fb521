// The companion program on Windows: a top-level window of its class, and a named event.
#include "platform/platform.h"
#include "platform/system_error_win.h"

#include <new>
#include <windows.h>

namespace platform {

struct NamedEvent {
  HANDLE handle; // never closed: the system closes it when the process ends
};

bool CompanionWindowExists(const char *className) {
  return FindWindowA(className, nullptr) != nullptr;
}

NamedEvent *OpenOrCreateEvent(const char *name, std::string *error) {
  // Opens the event when it exists already; its own reset mode and state then stay as they are.
  HANDLE handle = CreateEventA(nullptr, FALSE, FALSE, name);
  if (handle == nullptr) {
    const DWORD cause = GetLastError(); // taken at once
    *error = cause == ERROR_INVALID_HANDLE ? "the name is held by an object of another kind"
                                           : SystemErrorText(cause);
    return nullptr;
  }
  auto *event = new (std::nothrow) NamedEvent{handle};
  if (event == nullptr) {
    CloseHandle(handle);
    *error = SystemErrorText(ERROR_NOT_ENOUGH_MEMORY);
  }
  return event;
}

void SetNamedEvent(NamedEvent *event) { SetEvent(event->handle); }

} // namespace platform
