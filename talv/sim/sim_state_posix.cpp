// The simulator's state file on POSIX systems, locked with flock.
#include "talv/sim/sim_state.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace sim {
namespace {

bool Fail(Failure *failure, const char *path, const char *what, int cause) {
  std::snprintf(failure->text, sizeof failure->text, "%s: %s: %s", path, what,
                std::strerror(cause));
  return false;
}

bool Invalid(Failure *failure, const char *path) {
  std::snprintf(failure->text, sizeof failure->text,
                "%s: not a status (two hex digits and a line break)", path);
  return false;
}

/// Locks `fd` and reads the status it holds.
bool LockAndRead(int fd, const char *path, std::uint8_t *status, Failure *failure) {
  int locked;
  do
    locked = flock(fd, LOCK_EX);
  while (locked != 0 && errno == EINTR);
  if (locked != 0)
    return Fail(failure, path, "cannot lock", errno);
  char text[8];
  const ssize_t length = pread(fd, text, sizeof text, 0);
  if (length < 0)
    return Fail(failure, path, "cannot read", errno);
  if (!ParseState(text, static_cast<std::size_t>(length), status))
    return Invalid(failure, path);
  return true;
}

} // namespace

bool DefaultStatePath(char *path, std::size_t size) {
  if (const char *runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && *runtime != '\0')
    return JoinPath(path, size, {runtime, "/talv-sim.state"});
  const char *temporary = std::getenv("TMPDIR");
  if (temporary == nullptr || *temporary == '\0')
    temporary = "/tmp";
  char uid[16];
  std::snprintf(uid, sizeof uid, "%u", static_cast<unsigned>(getuid()));
  return JoinPath(path, size, {temporary, "/talv-sim-", uid, ".state"});
}

bool ReadState(const char *path, std::uint8_t *status, Failure *failure) {
  const int fd = open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (errno != ENOENT)
      return Fail(failure, path, "cannot open", errno);
    *status = kDefaultStatus;
    return true;
  }
  const bool read = LockAndRead(fd, path, status, failure);
  close(fd); // drops the lock
  return read;
}

bool UpdateState(const char *path, std::uint8_t bits, std::uint8_t mask, Failure *failure) {
  const int fd = open(path, O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0)
    return Fail(failure, path, "cannot open", errno);
  std::uint8_t status;
  bool done = LockAndRead(fd, path, &status, failure);
  if (done) {
    status = static_cast<std::uint8_t>((status & ~mask) | (bits & mask));
    char text[4];
    std::snprintf(text, sizeof text, "%02x\n", status);
    if (pwrite(fd, text, 3, 0) != 3 || ftruncate(fd, 3) != 0)
      done = Fail(failure, path, "cannot write", errno);
  }
  close(fd);
  return done;
}

} // namespace sim
