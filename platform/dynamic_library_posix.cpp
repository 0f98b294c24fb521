// Dynamic libraries on POSIX systems, through the dynamic loader (dlopen).
#include "platform/platform.h"

#include <cstdio>
#include <dlfcn.h>

namespace platform {
namespace {

std::string LoaderError(const char *fallback) {
  const char *reason = dlerror();
  return reason != nullptr ? reason : fallback;
}

} // namespace

ModuleHandle FindLoadedModule(const char *name) {
  char fileName[256];
  std::snprintf(fileName, sizeof fileName, "%s.dll", name);
  void *module = dlopen(fileName, RTLD_NOW | RTLD_NOLOAD);
  if (module == nullptr)
    return nullptr;
  // RTLD_NOLOAD took a reference; give it back at once. The module stays mapped for as long as
  // whoever loaded it keeps it, which is what a caller that adopts it relies on.
  dlclose(module);
  return module;
}

ModuleHandle LoadModule(const char *fileName, std::string *error) {
  // A bare file name is searched in LD_LIBRARY_PATH, then the executable's RUNPATH ($ORIGIN),
  // then the system library path; never in the current directory as such.
  void *module = dlopen(fileName, RTLD_NOW | RTLD_LOCAL);
  if (module == nullptr)
    *error = LoaderError("cannot load the library");
  return module;
}

void *FindExport(ModuleHandle module, const char *name, std::string *error) {
  dlerror();
  void *address = dlsym(module, name);
  if (address == nullptr)
    *error = LoaderError("the export is missing");
  return address;
}

void ReleaseModule(ModuleHandle module) { dlclose(module); }

} // namespace platform
