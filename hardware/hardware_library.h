// Binding of the hardware-access library TALV and its process-wide entry point.
#pragma once

#include "platform/platform.h"
#include "talv/hardware_request.h"

#include <string>

/// The library's entry point; null until BindHardwareLibrary resolves it.
extern TALVEvaluateFunction g_pfnEvaluate;

inline constexpr char kHardwareModuleName[] = "TALV";
inline constexpr char kHardwareLibraryFile[] = "TALV.dll";
inline constexpr char kHardwareEntryName[] = "TALVEvaluate";

/// Adopts a TALV module already in the process or loads TALV.dll, then resolves TALVEvaluate
/// into g_pfnEvaluate. Returns the module with `*loaded` telling whether this call took a
/// reference (to be given back with platform::ReleaseModule). Returns null, with the reason
/// in `error` and nothing left loaded, when the library or its entry point is missing.
platform::ModuleHandle BindHardwareLibrary(bool *loaded, std::string *error);
