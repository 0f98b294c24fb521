// The rfkill device: /dev/rfkill, or the file that TALV_RFKILL_DEVICE names (records back to
// back, as the kernel serves them).
#pragma once

#include "talv/rfkill/rfkill_state.h"

#include <cstddef>

namespace rfkill {

/// Why an access failed, for one line on standard error.
struct Failure {
  char text[320];
};

/// Puts TALV_RFKILL_DEVICE when set, else /dev/rfkill, into `path`. Returns false when it does
/// not fit.
bool DevicePath(char *path, std::size_t size);

/// Reads every record the device has and returns the status byte. A device node that does not
/// exist means no radios. Returns false with the reason in `failure`.
bool ReadStatus(const char *path, std::uint8_t *status, Failure *failure);

/// Writes `count` records to the device.
bool WriteRecords(const char *path, const rfkill_event *records, std::size_t count,
                  Failure *failure);

} // namespace rfkill
