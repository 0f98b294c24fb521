// The system's text for a Windows error code.
#pragma once

#include <string>

namespace platform {

/// The message for `code` (a GetLastError value), without its trailing line break.
std::string SystemErrorText(unsigned long code);

} // namespace platform
