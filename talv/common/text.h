// Text put together in fixed buffers, for libraries that do without the C library's formatting.
#pragma once

#include <cstddef>
#include <initializer_list>

namespace talv {

/// Puts the parts one after the other into `buffer`, which is always terminated. Returns false
/// when they do not all fit; the text is then cut short.
inline bool Concatenate(char *buffer, std::size_t size, std::initializer_list<const char *> parts) {
  if (size == 0)
    return false;
  std::size_t length = 0;
  for (const char *part : parts) {
    for (; *part != '\0'; ++part) {
      if (length + 1 == size) {
        buffer[length] = '\0';
        return false;
      }
      buffer[length++] = *part;
    }
  }
  buffer[length] = '\0';
  return true;
}

/// The length of a terminated text.
inline std::size_t Length(const char *text) {
  std::size_t length = 0;
  while (text[length] != '\0')
    ++length;
  return length;
}

/// The decimal digits of `value`.
struct Decimal {
  explicit Decimal(unsigned long value) {
    char *digit = text + sizeof text - 1;
    *digit = '\0';
    do
      *--digit = static_cast<char>('0' + value % 10);
    while ((value /= 10) != 0);
    start = digit;
  }
  Decimal(const Decimal &) = delete;
  Decimal &operator=(const Decimal &) = delete;
  const char *c_str() const { return start; }

private:
  char text[24];
  const char *start;
};

} // namespace talv
