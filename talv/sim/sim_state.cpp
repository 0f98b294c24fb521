#include "talv/sim/sim_state.h"

#include <cstdio>
#include <cstdlib>

namespace sim {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}

} // namespace

bool ParseState(const char *text, std::size_t length, std::uint8_t *status) {
  if (length == 0) {
    *status = kDefaultStatus;
    return true;
  }
  if (length == 3 && text[2] == '\n')
    length = 2;
  if (length != 2 || HexDigit(text[0]) < 0 || HexDigit(text[1]) < 0)
    return false;
  *status = static_cast<std::uint8_t>(HexDigit(text[0]) * 16 + HexDigit(text[1]));
  return true;
}

bool StatePath(char *path, std::size_t size) {
  int written;
  if (const char *explicitPath = std::getenv("TALV_SIM_STATE");
      explicitPath != nullptr && *explicitPath != '\0')
    written = std::snprintf(path, size, "%s", explicitPath);
  else
    written = DefaultStatePath(path, size);
  return written > 0 && static_cast<std::size_t>(written) < size;
}

} // namespace sim
