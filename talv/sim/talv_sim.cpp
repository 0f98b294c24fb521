// The simulator TALV.dll: answers the status requests from a state file instead of hardware.
// A write changes the two enable bits only; presence and the kill switch are facts of the
// hardware, simulated by editing the file.
#include "talv/hardware_request.h"
#include "talv/sim/sim_state.h"

#include <cstdio>

namespace {

constexpr std::uint8_t kEnableBits = 0x03;

int Refuse(const char *reason) {
  std::fprintf(stderr, "TALV.dll (simulator): %s\n", reason);
  return -1;
}

const std::uint8_t *InputBytes(const HardwareRequest &request) {
  return static_cast<const std::uint8_t *>(request.pInput);
}

} // namespace

extern "C" TALV_EXPORT int TALV_CALL TALVEvaluate(HardwareRequest request) {
  const bool selected = request.pInput != nullptr && request.inputLength >= 1 &&
                        InputBytes(request)[0] == TALV_STATUS_SELECTOR;
  const bool isRead = request.functionCode == TALV_READ_STATUS && selected &&
                      request.pOutput != nullptr && request.outputLength >= 1;
  const bool isWrite =
      request.functionCode == TALV_WRITE_STATUS && selected && request.inputLength >= 2;
  if (!isRead && !isWrite)
    return Refuse("unknown request");

  char path[4096];
  if (!sim::StatePath(path, sizeof path))
    return Refuse("the state file's path is too long");

  sim::Failure failure;
  if (isRead) {
    std::uint8_t status;
    if (!sim::ReadState(path, &status, &failure))
      return Refuse(failure.text);
    *static_cast<std::uint8_t *>(request.pOutput) = status;
    return 0;
  }
  if (!sim::UpdateState(path, InputBytes(request)[1], kEnableBits, &failure))
    return Refuse(failure.text);
  return 0;
}
