// Dynamic libraries on Windows.
#include "platform/platform.h"
#include "platform/system_error_win.h"
#include "talv/hardware_request.h"

#include <type_traits>
#include <windows.h>

// The maker's 32-bit library takes the record by value and leaves the stack to the caller.
static_assert(std::is_same_v<TALVEvaluateFunction, int(__cdecl *)(HardwareRequest)>);

namespace platform {

ModuleHandle FindLoadedModule(const char *name) {
  // GetModuleHandle adds ".dll" and takes no reference.
  return GetModuleHandleA(name);
}

ModuleHandle LoadModule(const char *fileName, std::string *error) {
  // The executable's own folder and the system folder only: never the current directory, where
  // anybody could plant a TALV.dll.
  HMODULE module = LoadLibraryExA(
      fileName, nullptr, LOAD_LIBRARY_SEARCH_APPLICATION_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (module == nullptr)
    *error = std::string(fileName) + ": " + SystemErrorText(GetLastError()); // taken at once
  return module;
}

void *FindExport(ModuleHandle module, const char *name, std::string *error) {
  FARPROC address = GetProcAddress(static_cast<HMODULE>(module), name);
  if (address == nullptr)
    *error = std::string(name) + ": " + SystemErrorText(GetLastError());
  return reinterpret_cast<void *>(address);
}

void ReleaseModule(ModuleHandle module) { FreeLibrary(static_cast<HMODULE>(module)); }

} // namespace platform
