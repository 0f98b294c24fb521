// Standard output and standard error through the C library; the same on every platform.
#include "platform/platform.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace platform {

void WriteStandardOutput(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
}

bool FlushStandardOutput(std::string *error) {
  errno = 0;
  if (std::fflush(stdout) == 0 && !std::ferror(stdout))
    return true;
  // Taken at once: anything called later may change errno.
  const int cause = errno;
  if (error != nullptr)
    *error = cause != 0 ? std::strerror(cause) : "write error";
  return false;
}

void WriteErrorLine(std::string_view line) {
  const std::string_view title = ApplicationTitle();
  std::string text;
  text.reserve(title.size() + line.size() + 3);
  text.append(title).append(": ").append(line).append("\n");
  std::fwrite(text.data(), 1, text.size(), stderr);
}

} // namespace platform
