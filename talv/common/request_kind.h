// Which of the two status requests a HardwareRequest is, checked the way every TALV library of
// the project checks it.
#pragma once

#include "talv/hardware_request.h"

#include <cstdint>

namespace talv {

enum class RequestKind { Read, Write, Unknown };

/// A read has the input { 0xBB } and room for one byte of output; a write has the input
/// { 0xBB, new status }.
inline RequestKind KindOf(const HardwareRequest &request) {
  const auto *input = static_cast<const std::uint8_t *>(request.pInput);
  if (input == nullptr || request.inputLength < 1 || input[0] != TALV_STATUS_SELECTOR)
    return RequestKind::Unknown;
  if (request.functionCode == TALV_READ_STATUS && request.pOutput != nullptr &&
      request.outputLength >= 1)
    return RequestKind::Read;
  if (request.functionCode == TALV_WRITE_STATUS && request.inputLength >= 2)
    return RequestKind::Write;
  return RequestKind::Unknown;
}

/// The new status byte of a write.
inline std::uint8_t WrittenStatus(const HardwareRequest &request) {
  return static_cast<const std::uint8_t *>(request.pInput)[1];
}

/// Stores the answer to a read.
inline void Answer(const HardwareRequest &request, std::uint8_t status) {
  *static_cast<std::uint8_t *>(request.pOutput) = status;
}

} // namespace talv
