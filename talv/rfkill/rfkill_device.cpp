#include "talv/rfkill/rfkill_device.h"
#include "talv/common/text.h"
#include "talv/linux/system.h"

#include <cerrno>
#include <fcntl.h>

namespace rfkill {
namespace {

// Every kernel serves, and takes, the first version of the record: 8 bytes.
constexpr std::size_t kRecordSize = 8;
static_assert(sizeof(rfkill_event) == kRecordSize);

bool Fail(Failure *failure, const char *path, const char *what, int cause) {
  const char *hint = cause == EACCES || cause == EPERM
                         ? " (switching radios needs root or the desktop's device access)"
                         : "";
  talv::Concatenate(failure->text, sizeof failure->text,
                    {path, ": ", what, ": ", talv::sys::Describe(cause).text, hint});
  return false;
}

bool Malformed(Failure *failure, const char *path, const char *what) {
  talv::Concatenate(failure->text, sizeof failure->text, {path, ": ", what});
  return false;
}

} // namespace

bool DevicePath(char *path, std::size_t size) {
  talv::sys::Variable device{"TALV_RFKILL_DEVICE", path, size};
  talv::sys::LookUp(&device, 1);
  if (device.length <= 0)
    return talv::Concatenate(path, size, {"/dev/rfkill"});
  return static_cast<std::size_t>(device.length) < size;
}

bool ReadStatus(const char *path, std::uint8_t *status, Failure *failure) {
  const int fd = talv::sys::Open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    if (fd != -ENOENT)
      return Fail(failure, path, "cannot open", -fd);
    *status = kNoRadios;
    return true;
  }

  // The kernel queues one ADD record per device on open; a file ends instead.
  DeviceSet devices;
  bool ok = true;
  for (;;) {
    rfkill_event record;
    const long got = talv::sys::Read(fd, &record, kRecordSize);
    if (got == 0 || got == -EAGAIN)
      break;
    if (got == -EINTR)
      continue;
    if (got < 0) {
      ok = Fail(failure, path, "cannot read", static_cast<int>(-got));
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
  talv::sys::Close(fd);
  if (ok)
    *status = devices.StatusByte();
  return ok;
}

bool WriteRecords(const char *path, const rfkill_event *records, std::size_t count,
                  Failure *failure) {
  if (count == 0)
    return true;
  // O_APPEND lets a file stand in for the device; the device ignores it.
  const int fd = talv::sys::Open(path, O_WRONLY | O_APPEND | O_CLOEXEC);
  if (fd < 0)
    return Fail(failure, path, "cannot open for writing", -fd);
  bool ok = true;
  for (std::size_t i = 0; i < count && ok; ++i) {
    long written;
    do
      written = talv::sys::Write(fd, &records[i], kRecordSize);
    while (written == -EINTR);
    if (written < 0)
      ok = Fail(failure, path, "cannot write", static_cast<int>(-written));
    else if (static_cast<std::size_t>(written) != kRecordSize)
      ok = Malformed(failure, path, "short write");
  }
  talv::sys::Close(fd);
  return ok;
}

} // namespace rfkill
