#include "talv/rfkill/rfkill_device.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace rfkill {
namespace {

// Every kernel serves, and takes, the first version of the record: 8 bytes.
constexpr std::size_t kRecordSize = 8;
static_assert(sizeof(rfkill_event) == kRecordSize);

bool Fail(Failure *failure, const char *path, const char *what, int cause) {
  const char *hint = cause == EACCES || cause == EPERM
                         ? " (switching radios needs root or the desktop's device access)"
                         : "";
  std::snprintf(failure->text, sizeof failure->text, "%s: %s: %s%s", path, what,
                std::strerror(cause), hint);
  return false;
}

bool Malformed(Failure *failure, const char *path, const char *what) {
  std::snprintf(failure->text, sizeof failure->text, "%s: %s", path, what);
  return false;
}

} // namespace

const char *DevicePath() {
  const char *path = std::getenv("TALV_RFKILL_DEVICE");
  return path != nullptr && *path != '\0' ? path : "/dev/rfkill";
}

bool ReadStatus(const char *path, std::uint8_t *status, Failure *failure) {
  const int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    if (errno != ENOENT)
      return Fail(failure, path, "cannot open", errno);
    *status = kNoRadios;
    return true;
  }

  // The kernel queues one ADD record per device on open; a file ends instead.
  DeviceSet devices;
  bool ok = true;
  for (;;) {
    rfkill_event record;
    const ssize_t got = read(fd, &record, kRecordSize);
    if (got == 0 || (got < 0 && errno == EAGAIN))
      break;
    if (got < 0 && errno == EINTR)
      continue;
    if (got < 0) {
      ok = Fail(failure, path, "cannot read", errno);
      break;
    }
    if (static_cast<std::size_t>(got) != kRecordSize) {
      ok = Malformed(failure, path, "short read: not a whole rfkill record");
      break;
    }
    if (!devices.Apply(record)) {
      ok = Malformed(failure, path, "unexpected rfkill record");
      break;
    }
  }
  close(fd);
  if (ok)
    *status = devices.StatusByte();
  return ok;
}

bool WriteRecords(const char *path, const rfkill_event *records, std::size_t count,
                  Failure *failure) {
  if (count == 0)
    return true;
  // O_APPEND lets a file stand in for the device; the device ignores it.
  const int fd = open(path, O_WRONLY | O_APPEND | O_CLOEXEC);
  if (fd < 0)
    return Fail(failure, path, "cannot open for writing", errno);
  bool ok = true;
  for (std::size_t i = 0; i < count && ok; ++i) {
    const ssize_t written = write(fd, &records[i], kRecordSize);
    if (written < 0)
      ok = Fail(failure, path, "cannot write", errno);
    else if (static_cast<std::size_t>(written) != kRecordSize)
      ok = Malformed(failure, path, "short write");
  }
  close(fd);
  return ok;
}

} // namespace rfkill
