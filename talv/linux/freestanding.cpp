// What a compiler may call on its own, for a library linked without the C library: the memory
// functions that copies and initialisations of whole objects become, strlen, which a counting
// loop becomes, and the stack protector's failure handler. Built without built-ins, so that no loop
// here turns back into a call to itself.
#include <cstddef>

#define TALV_LOCAL extern "C" __attribute__((visibility("hidden")))

TALV_LOCAL void *memcpy(void *to, const void *from, std::size_t size) {
  auto *out = static_cast<unsigned char *>(to);
  const auto *in = static_cast<const unsigned char *>(from);
  while (size-- > 0)
    *out++ = *in++;
  return to;
}

TALV_LOCAL void *memmove(void *to, const void *from, std::size_t size) {
  auto *out = static_cast<unsigned char *>(to);
  const auto *in = static_cast<const unsigned char *>(from);
  if (out <= in)
    return memcpy(to, from, size);
  while (size-- > 0)
    out[size] = in[size];
  return to;
}

TALV_LOCAL void *memset(void *to, int value, std::size_t size) {
  auto *out = static_cast<unsigned char *>(to);
  while (size-- > 0)
    *out++ = static_cast<unsigned char>(value);
  return to;
}

TALV_LOCAL int memcmp(const void *left, const void *right, std::size_t size) {
  const auto *a = static_cast<const unsigned char *>(left);
  const auto *b = static_cast<const unsigned char *>(right);
  for (; size > 0; --size, ++a, ++b)
    if (*a != *b)
      return *a < *b ? -1 : 1;
  return 0;
}

TALV_LOCAL std::size_t strlen(const char *text) {
  std::size_t length = 0;
  while (text[length] != '\0')
    ++length;
  return length;
}

// NOLINTNEXTLINE(bugprone-reserved-identifier): the name the compiler calls.
TALV_LOCAL __attribute__((noreturn)) void __stack_chk_fail() { __builtin_trap(); }
