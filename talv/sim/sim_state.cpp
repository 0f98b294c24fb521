#include "talv/sim/sim_state.h"

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

StateText FormatState(std::uint8_t status) {
  constexpr char kDigits[] = "0123456789abcdef";
  return {{kDigits[status >> 4], kDigits[status & 0x0F], '\n'}};
}

} // namespace sim
