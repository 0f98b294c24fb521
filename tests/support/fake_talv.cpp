#include "tests/support/fake_talv.h"

#include "hardware/hardware_library.h"

#include <cstdio>

namespace {

FakeTalv g_talv;
std::size_t g_readCount = 0;

} // namespace

FakeTalv &FakeTalv::Get() { return g_talv; }

void FakeTalv::Reset(std::vector<int> reads) {
  g_talv = FakeTalv();
  g_talv.reads = std::move(reads);
  g_readCount = 0;
  g_pfnEvaluate = FakeTalvEvaluate;
}

std::string FakeTalv::Sequence() {
  std::string sequence;
  for (const RecordedRequest &request : g_talv.requests) {
    if (!sequence.empty())
      sequence += ' ';
    if (request.functionCode == TALV_READ_STATUS) {
      sequence += 'R';
    } else {
      char text[8];
      std::snprintf(text, sizeof text, "W%02x", request.input.size() > 1 ? request.input[1] : 0);
      sequence += text;
    }
  }
  return sequence;
}

extern "C" int TALV_CALL FakeTalvEvaluate(HardwareRequest request) {
  const auto *input = static_cast<const std::uint8_t *>(request.pInput);
  g_talv.requests.push_back({request.functionCode,
                             std::vector<std::uint8_t>(input, input + request.inputLength),
                             request.pOutput, request.outputLength});
  if (request.functionCode == TALV_READ_STATUS && request.pOutput != nullptr &&
      !g_talv.reads.empty()) {
    const std::size_t index = std::min(g_readCount++, g_talv.reads.size() - 1);
    if (g_talv.reads[index] >= 0)
      *static_cast<std::uint8_t *>(request.pOutput) =
          static_cast<std::uint8_t>(g_talv.reads[index]);
  }
  return g_talv.result;
}
