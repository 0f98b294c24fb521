// Dynamic libraries on POSIX systems, through the dynamic loader (dlopen).
//
// The program may be linked statically, and a static program has no RUNPATH: the places to look
// in are therefore walked here, in the order a dynamic program's RUNPATH would give them.
#include "platform/platform.h"

#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <limits.h>
#include <link.h>
#include <unistd.h>

namespace platform {
namespace {

std::string LoaderError(const char *fallback) {
  const char *reason = dlerror();
  return reason != nullptr ? reason : fallback;
}

/// The folder of the running executable, or empty.
std::string ExecutableFolder() {
  char path[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0)
    return {};
  path[length] = '\0';
  const char *slash = std::strrchr(path, '/');
  return slash != nullptr ? std::string(path, static_cast<std::size_t>(slash - path)) : "";
}

/// Loads `folder`/`fileName` when that file exists. Returns null when it does not, or when it
/// cannot be loaded, with the loader's reason in `error`.
void *LoadFrom(const std::string &folder, const char *fileName, std::string *error) {
  const std::string path = folder + "/" + fileName;
  if (access(path.c_str(), F_OK) != 0)
    return nullptr;
  void *module = dlopen(path.c_str(), RTLD_LAZY | RTLD_LOCAL | RTLD_NODELETE);
  if (module == nullptr)
    *error = LoaderError("cannot load the library");
  return module;
}

} // namespace

ModuleHandle FindLoadedModule(const char *name) {
  // Walk the objects in the process and compare file names: dlopen with RTLD_NOLOAD and a bare
  // name would search the file system first.
  struct Search {
    std::string fileName;
    std::string path;
  } search{std::string(name) + ".dll", {}};
  dl_iterate_phdr(
      [](dl_phdr_info *info, std::size_t, void *data) -> int {
        auto *search = static_cast<Search *>(data);
        const char *slash = std::strrchr(info->dlpi_name, '/');
        if (search->fileName != (slash != nullptr ? slash + 1 : info->dlpi_name))
          return 0;
        search->path = info->dlpi_name;
        return 1;
      },
      &search);
  if (search.path.empty())
    return nullptr;
  void *module = dlopen(search.path.c_str(), RTLD_LAZY | RTLD_NOLOAD);
  if (module == nullptr)
    return nullptr;
  // RTLD_NOLOAD took a reference; give it back at once. The module stays mapped for as long as
  // whoever loaded it keeps it, which is what a caller that adopts it relies on.
  dlclose(module);
  return module;
}

ModuleHandle LoadModule(const char *fileName, std::string *error) {
  // LD_LIBRARY_PATH first (its empty entries, which the loader reads as the current directory,
  // are passed over); then the executable's own folder; then the installed layout,
  // ../lib/velmira beside it; then the loader's own search by the bare name, which ends in the
  // system library path. Lazy binding: the library's functions are resolved when first called.
  if (const char *paths = std::getenv("LD_LIBRARY_PATH"); paths != nullptr) {
    for (const char *entry = paths; *entry != '\0';) {
      const std::size_t length = std::strcspn(entry, ":;");
      if (length > 0) {
        if (void *module = LoadFrom(std::string(entry, length), fileName, error))
          return module;
      }
      entry += length + (entry[length] != '\0' ? 1 : 0);
    }
  }
  if (const std::string folder = ExecutableFolder(); !folder.empty()) {
    for (const std::string &candidate : {folder, folder + "/../lib/velmira"}) {
      if (void *module = LoadFrom(candidate, fileName, error))
        return module;
    }
  }
  if (!error->empty())
    return nullptr; // a library was found but could not be loaded: say why
  void *module = dlopen(fileName, RTLD_LAZY | RTLD_LOCAL | RTLD_NODELETE);
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
