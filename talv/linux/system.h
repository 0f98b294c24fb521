// The few system services the Linux TALV libraries use, without the C library.
//
// A static program loads TALV.dll through its own copy of the loader; a library that needs
// libc.so.6 makes it load and start a second C library, which costs more than the rest of the
// run. These calls go to the kernel directly where the architecture is known (system_calls.cpp)
// and through the C library elsewhere (system_libc.cpp).
//
// Each call returns what the kernel returns: a count or descriptor on success, or the negated
// error number (-ENOENT and so on) on failure.
#pragma once

#include <cstddef>

namespace talv::sys {

int Open(const char *path, int flags, unsigned mode = 0);
long Read(int fd, void *buffer, std::size_t size);
long Write(int fd, const void *buffer, std::size_t size);
/// Moves the file position to `offset` bytes from the start.
long SeekTo(int fd, long offset);
int Truncate(int fd, long length);
/// flock(2): LOCK_EX, LOCK_UN and so on.
int Lock(int fd, int operation);
void Close(int fd);
unsigned UserId();

/// Writes all of `text` to standard error, going on after interruptions and short writes.
void WriteStandardError(const char *text, std::size_t length);

/// An error number's description, worded as the C library words it ("Permission denied"), or
/// "Unknown error N" for one that these libraries do not expect.
struct ErrorText {
  char text[48];
};
ErrorText Describe(int error);

/// One environment variable to look up, and where its value goes.
struct Variable {
  const char *name;
  char *value;      // receives the value, always terminated
  std::size_t size; // of `value`, at least 1
  long length = -1; // after the lookup: the value's full length, or -1 when unset
};

/// Fills in `variables` from the environment the process started with, read from
/// `environment` (a file of NAME=value entries, each ended by a zero byte). A value longer than
/// `size` - 1 is cut short, and its `length` says so. Unreadable means every variable is unset.
void LookUp(Variable *variables, std::size_t count, const char *environment = "/proc/self/environ");

} // namespace talv::sys
