#include "hardware/hardware_library.h"

TALVEvaluateFunction g_pfnEvaluate = nullptr;

platform::ModuleHandle BindHardwareLibrary(bool *loaded, std::string *error) {
  *loaded = false;
  platform::ModuleHandle module = platform::FindLoadedModule(kHardwareModuleName);
  if (module == nullptr) {
    module = platform::LoadModule(kHardwareLibraryFile, error);
    if (module == nullptr)
      return nullptr;
    *loaded = true;
  }

  // An adopted module was brought in by someone else, so nothing has resolved its entry point
  // yet: resolve it in both cases, and never leave a null one behind a bound library.
  void *entry = platform::FindExport(module, kHardwareEntryName, error);
  if (entry == nullptr) {
    if (*loaded)
      platform::ReleaseModule(module);
    *loaded = false;
    return nullptr;
  }
  g_pfnEvaluate = reinterpret_cast<TALVEvaluateFunction>(entry);
  return module;
}
