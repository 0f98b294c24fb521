// The system services through the kernel's own entry: no C library needed.
#include "talv/linux/system.h"

#include <asm/unistd.h>
#include <fcntl.h>

namespace talv::sys {
namespace {

#if defined(__x86_64__)

long Call(long number, long a = 0, long b = 0, long c = 0, long d = 0) {
  long result;
  register long r10 asm("r10") = d;
  asm volatile("syscall"
               : "=a"(result)
               : "a"(number), "D"(a), "S"(b), "d"(c), "r"(r10)
               : "rcx", "r11", "memory");
  return result;
}

#elif defined(__aarch64__)

long Call(long number, long a = 0, long b = 0, long c = 0, long d = 0) {
  register long x8 asm("x8") = number;
  register long x0 asm("x0") = a;
  register long x1 asm("x1") = b;
  register long x2 asm("x2") = c;
  register long x3 asm("x3") = d;
  asm volatile("svc 0" : "+r"(x0) : "r"(x8), "r"(x1), "r"(x2), "r"(x3) : "memory");
  return x0;
}

#else
#error "no system call entry for this architecture: build with system_libc.cpp instead"
#endif

long Pointer(const void *pointer) { return reinterpret_cast<long>(pointer); }

} // namespace

int Open(const char *path, int flags, unsigned mode) {
  return static_cast<int>(Call(__NR_openat, AT_FDCWD, Pointer(path), flags, mode));
}

long Read(int fd, void *buffer, std::size_t size) {
  return Call(__NR_read, fd, Pointer(buffer), static_cast<long>(size));
}

long Write(int fd, const void *buffer, std::size_t size) {
  return Call(__NR_write, fd, Pointer(buffer), static_cast<long>(size));
}

long SeekTo(int fd, long offset) { return Call(__NR_lseek, fd, offset, SEEK_SET); }

int Truncate(int fd, long length) { return static_cast<int>(Call(__NR_ftruncate, fd, length)); }

int Lock(int fd, int operation) { return static_cast<int>(Call(__NR_flock, fd, operation)); }

void Close(int fd) { Call(__NR_close, fd); }

unsigned UserId() { return static_cast<unsigned>(Call(__NR_getuid)); }

} // namespace talv::sys
