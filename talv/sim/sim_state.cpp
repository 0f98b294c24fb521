#include "talv/sim/sim_state.h"

#include <cstdlib>
#include <cstring>

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

bool JoinPath(char *path, std::size_t size, std::initializer_list<const char *> parts) {
  std::size_t length = 0;
  for (const char *part : parts) {
    const std::size_t partLength = std::strlen(part);
    if (length + partLength >= size)
      return false;
    std::memcpy(path + length, part, partLength);
    length += partLength;
  }
  path[length] = '\0';
  return true;
}

bool StatePath(char *path, std::size_t size) {
  if (const char *explicitPath = std::getenv("TALV_SIM_STATE");
      explicitPath != nullptr && *explicitPath != '\0')
    return JoinPath(path, size, {explicitPath});
  return DefaultStatePath(path, size);
}

} // namespace sim
