// The simulator's state file on Windows, locked with LockFileEx.
#include "talv/common/text.h"
#include "talv/sim/sim_state.h"

#include <cstdio>
#include <cstdlib>
#include <windows.h>

namespace sim {
namespace {

bool Fail(Failure *failure, const char *path, const char *what, DWORD cause) {
  std::snprintf(failure->text, sizeof failure->text, "%s: %s: error %lu", path, what,
                static_cast<unsigned long>(cause));
  return false;
}

bool Invalid(Failure *failure, const char *path) {
  std::snprintf(failure->text, sizeof failure->text,
                "%s: not a status (two hex digits and a line break)", path);
  return false;
}

/// Opens and locks the file, or returns INVALID_HANDLE_VALUE with the error in `cause`.
HANDLE OpenLocked(const char *path, DWORD access, DWORD disposition, DWORD *cause) {
  HANDLE file = CreateFileA(path, access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, disposition,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    *cause = GetLastError();
    return file;
  }
  OVERLAPPED whole = {};
  if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole)) {
    *cause = GetLastError();
    CloseHandle(file);
    return INVALID_HANDLE_VALUE;
  }
  return file;
}

bool ReadLocked(HANDLE file, const char *path, std::uint8_t *status, Failure *failure) {
  char text[8];
  DWORD length = 0;
  if (!ReadFile(file, text, sizeof text, &length, nullptr))
    return Fail(failure, path, "cannot read", GetLastError());
  if (!ParseState(text, length, status))
    return Invalid(failure, path);
  return true;
}

} // namespace

bool StatePath(char *path, std::size_t size) {
  if (const char *explicitPath = std::getenv("TALV_SIM_STATE");
      explicitPath != nullptr && *explicitPath != '\0')
    return talv::Concatenate(path, size, {explicitPath});
  char directory[MAX_PATH];
  const DWORD length = GetTempPathA(sizeof directory, directory);
  if (length == 0 || length >= sizeof directory)
    return false;
  return talv::Concatenate(path, size, {directory, "talv-sim.state"});
}

bool ReadState(const char *path, std::uint8_t *status, Failure *failure) {
  DWORD cause = 0;
  HANDLE file = OpenLocked(path, GENERIC_READ, OPEN_EXISTING, &cause);
  if (file == INVALID_HANDLE_VALUE) {
    if (cause != ERROR_FILE_NOT_FOUND)
      return Fail(failure, path, "cannot open", cause);
    *status = kDefaultStatus;
    return true;
  }
  const bool read = ReadLocked(file, path, status, failure);
  CloseHandle(file); // drops the lock
  return read;
}

bool UpdateState(const char *path, std::uint8_t bits, std::uint8_t mask, Failure *failure) {
  DWORD cause = 0;
  HANDLE file = OpenLocked(path, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS, &cause);
  if (file == INVALID_HANDLE_VALUE)
    return Fail(failure, path, "cannot open", cause);
  std::uint8_t status;
  bool done = ReadLocked(file, path, &status, failure);
  if (done) {
    const StateText state =
        FormatState(static_cast<std::uint8_t>((status & ~mask) | (bits & mask)));
    DWORD written = 0;
    if (SetFilePointer(file, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER ||
        !WriteFile(file, state.text, sizeof state.text, &written, nullptr) ||
        written != sizeof state.text || !SetEndOfFile(file))
      done = Fail(failure, path, "cannot write", GetLastError());
  }
  CloseHandle(file);
  return done;
}

} // namespace sim
