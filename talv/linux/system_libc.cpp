// The system services through the C library, for architectures without a direct entry here.
#include "talv/linux/system.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace talv::sys {
namespace {

long Result(long result) { return result < 0 ? -errno : result; }

} // namespace

int Open(const char *path, int flags, unsigned mode) {
  return static_cast<int>(Result(open(path, flags, mode)));
}

long Read(int fd, void *buffer, std::size_t size) { return Result(read(fd, buffer, size)); }

long Write(int fd, const void *buffer, std::size_t size) { return Result(write(fd, buffer, size)); }

long SeekTo(int fd, long offset) { return Result(lseek(fd, offset, SEEK_SET)); }

int Truncate(int fd, long length) { return static_cast<int>(Result(ftruncate(fd, length))); }

int Lock(int fd, int operation) { return static_cast<int>(Result(flock(fd, operation))); }

void Close(int fd) { close(fd); }

unsigned UserId() { return getuid(); }

} // namespace talv::sys
