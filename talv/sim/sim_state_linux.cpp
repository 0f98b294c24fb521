// The simulator's state file on Linux, locked with flock.
#include "talv/common/text.h"
#include "talv/linux/system.h"
#include "talv/sim/sim_state.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>

namespace sim {
namespace {

namespace sys = talv::sys;

/// `result` is what the failed call returned: the negated error number.
bool Fail(Failure *failure, const char *path, const char *what, long result) {
  talv::Concatenate(failure->text, sizeof failure->text,
                    {path, ": ", what, ": ", sys::Describe(static_cast<int>(-result)).text});
  return false;
}

bool Invalid(Failure *failure, const char *path) {
  talv::Concatenate(failure->text, sizeof failure->text,
                    {path, ": not a status (two hex digits and a line break)"});
  return false;
}

/// Locks `fd` and reads the status it holds.
bool LockAndRead(int fd, const char *path, std::uint8_t *status, Failure *failure) {
  int locked;
  do
    locked = sys::Lock(fd, LOCK_EX);
  while (locked == -EINTR);
  if (locked != 0)
    return Fail(failure, path, "cannot lock", locked);
  char text[8];
  long length;
  do
    length = sys::Read(fd, text, sizeof text);
  while (length == -EINTR);
  if (length < 0)
    return Fail(failure, path, "cannot read", length);
  if (!ParseState(text, static_cast<std::size_t>(length), status))
    return Invalid(failure, path);
  return true;
}

/// Replaces the file's text with `status`.
bool Rewrite(int fd, const char *path, std::uint8_t status, Failure *failure) {
  const StateText state = FormatState(status);
  long result = sys::SeekTo(fd, 0);
  if (result == 0) {
    do
      result = sys::Write(fd, state.text, sizeof state.text);
    while (result == -EINTR);
  }
  if (result >= 0 && result != static_cast<long>(sizeof state.text))
    result = -EIO;
  if (result >= 0)
    result = sys::Truncate(fd, sizeof state.text);
  return result >= 0 || Fail(failure, path, "cannot write", result);
}

} // namespace

bool StatePath(char *path, std::size_t size) {
  char runtime[4096], temporary[4096];
  sys::Variable variables[] = {{"TALV_SIM_STATE", path, size},
                               {"XDG_RUNTIME_DIR", runtime, sizeof runtime},
                               {"TMPDIR", temporary, sizeof temporary}};
  sys::LookUp(variables, 3);
  const auto set = [](const sys::Variable &variable) { return variable.length > 0; };
  const auto fits = [](const sys::Variable &variable) {
    return static_cast<std::size_t>(variable.length) < variable.size;
  };
  if (set(variables[0]))
    return fits(variables[0]);
  if (set(variables[1]))
    return fits(variables[1]) && talv::Concatenate(path, size, {runtime, "/talv-sim.state"});
  if (set(variables[2]) && !fits(variables[2]))
    return false;
  return talv::Concatenate(path, size,
                           {set(variables[2]) ? temporary : "/tmp", "/talv-sim-",
                            talv::Decimal(sys::UserId()).c_str(), ".state"});
}

bool ReadState(const char *path, std::uint8_t *status, Failure *failure) {
  const int fd = sys::Open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (fd != -ENOENT)
      return Fail(failure, path, "cannot open", fd);
    *status = kDefaultStatus;
    return true;
  }
  const bool read = LockAndRead(fd, path, status, failure);
  sys::Close(fd); // drops the lock
  return read;
}

bool UpdateState(const char *path, std::uint8_t bits, std::uint8_t mask, Failure *failure) {
  const int fd = sys::Open(path, O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0)
    return Fail(failure, path, "cannot open", fd);
  std::uint8_t status;
  bool done = LockAndRead(fd, path, &status, failure);
  if (done)
    done = Rewrite(fd, path, static_cast<std::uint8_t>((status & ~mask) | (bits & mask)), failure);
  sys::Close(fd);
  return done;
}

} // namespace sim
