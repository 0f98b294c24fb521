// How a TALV library of the project turns down a request.
#pragma once

namespace talv {

/// Says on standard error, as "TALV.dll (<library>): <reason>", why `library` ("simulator",
/// "rfkill") refused a request, and returns the result that tells the caller so.
int Refuse(const char *library, const char *reason);

} // namespace talv
