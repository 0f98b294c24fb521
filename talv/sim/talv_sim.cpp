// The simulator TALV.dll: answers the status requests from a state file instead of hardware.
// A write changes the two enable bits only; presence and the kill switch are facts of the
// hardware, simulated by editing the file.
#include "talv/common/refusal.h"
#include "talv/common/request_kind.h"
#include "talv/sim/sim_state.h"

namespace {

constexpr std::uint8_t kEnableBits = 0x03;

int Refuse(const char *reason) { return talv::Refuse("simulator", reason); }

// The state file's path comes from the environment, which is read once, as the library loads,
// rather than for every request.
struct StateFile {
  char path[4096];
  bool found;
};
StateFile g_stateFile;

__attribute__((constructor)) void FindStateFile() {
  g_stateFile.found = sim::StatePath(g_stateFile.path, sizeof g_stateFile.path);
}

} // namespace

extern "C" TALV_EXPORT int TALV_CALL TALVEvaluate(HardwareRequest request) {
  const talv::RequestKind kind = talv::KindOf(request);
  if (kind == talv::RequestKind::Unknown)
    return Refuse("unknown request");

  if (!g_stateFile.found)
    return Refuse("the state file's path is too long");
  const char *path = g_stateFile.path;

  sim::Failure failure;
  if (kind == talv::RequestKind::Read) {
    std::uint8_t status;
    if (!sim::ReadState(path, &status, &failure))
      return Refuse(failure.text);
    talv::Answer(request, status);
    return 0;
  }
  if (!sim::UpdateState(path, talv::WrittenStatus(request), kEnableBits, &failure))
    return Refuse(failure.text);
  return 0;
}
