// libFuzzer target: the whole path from the arguments to the library requests, over the fake
// platform and a fake library that answers reads from the input.
//
// Input: one byte of switches for the system (bit 0: no library, 1: no entry point, 2: library
// already loaded, 3: companion running, 4: its event fails, 5: output fails), one byte giving how
// many read answers follow (0 to 5; an answer of 0xA5 leaves the read unanswered), the answers,
// then the arguments, separated by NUL bytes.
#include "app/command_line.h"
#include "hardware/hardware_library.h"
#include "tests/support/expected_texts.h"
#include "tests/support/fake_platform.h"
#include "tests/support/fake_talv.h"

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

namespace {

const std::set<std::string> kWirelessLines = {
    "Cannot find Wireless device.", "Kill Switch turns off.",   "Wireless feature is On.",
    "Wireless feature is Off.",     "Enable Wireless feature.", "Disable Wireless device."};
const std::set<std::string> kBluetoothLines = {
    "Cannot find Bluetooth device.", "You need to turn Kill Switch on.",
    "Bluetooth feature is On.",      "Bluetooth feature is Off.",
    "Enable Bluetooth feature.",     "Disable Bluetooth device."};

void Require(bool condition) {
  if (!condition)
    std::abort();
}

/// Nothing, the usage text, or exactly one wireless line and then one Bluetooth line.
bool IsValidOutput(const std::string &output) {
  if (output.empty() || output == kUsageText)
    return true;
  const std::size_t first = output.find('\n');
  if (first == std::string::npos || output.back() != '\n')
    return false;
  const std::string second = output.substr(first + 1, output.size() - first - 2);
  return kWirelessLines.count(output.substr(0, first)) == 1 && kBluetoothLines.count(second) == 1;
}

bool IsValidRequest(const RecordedRequest &request) {
  if (request.functionCode == TALV_READ_STATUS)
    return request.input == std::vector<std::uint8_t>{0xBB} && request.pOutput != nullptr &&
           request.outputLength == 1;
  return request.functionCode == TALV_WRITE_STATUS && request.input.size() == 2 &&
         request.input[0] == 0xBB && request.pOutput == nullptr && request.outputLength == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  if (size < 2)
    return 0;
  const std::uint8_t switches = data[0];
  const std::size_t answerCount = data[1] % 6;
  if (size < 2 + answerCount)
    return 0;
  std::vector<int> reads;
  for (std::size_t i = 0; i < answerCount; ++i)
    reads.push_back(data[2 + i] == 0xA5 ? -1 : data[2 + i]);
  if (reads.empty())
    reads.push_back(0x1F);

  std::vector<std::string> arguments = {"velmira"};
  std::string current;
  for (std::size_t i = 2 + answerCount; i < size && arguments.size() < 64; ++i) {
    if (data[i] == 0) {
      arguments.push_back(current);
      current.clear();
    } else {
      current += static_cast<char>(data[i]);
    }
  }
  if (!current.empty())
    arguments.push_back(current);
  std::vector<const char *> argv;
  for (const std::string &argument : arguments)
    argv.push_back(argument.c_str());

  FakePlatform::Reset();
  FakeTalv::Reset(reads);
  g_pfnEvaluate = nullptr; // a fresh process: only the binding may set it
  FakePlatform &system = FakePlatform::Get();
  system.libraryLoads = (switches & 0x01) == 0;
  system.entryPoint =
      (switches & 0x02) == 0 ? reinterpret_cast<void *>(&FakeTalvEvaluate) : nullptr;
  system.moduleAlreadyLoaded = (switches & 0x04) != 0;
  system.companionRunning = (switches & 0x08) != 0;
  system.eventFails = (switches & 0x10) != 0;
  system.outputFails = (switches & 0x20) != 0;

  const int status = RunProgram(static_cast<int>(argv.size()), argv.data());
  const auto &requests = FakeTalv::Get().requests;

  Require(status == kExitSuccess || status == kExitFailure || status == kExitUsage);
  Require(IsValidOutput(system.standardOutput));
  Require(requests.size() <= 5);
  for (const RecordedRequest &request : requests)
    Require(IsValidRequest(request));
  const bool bound = system.libraryLoads || system.moduleAlreadyLoaded;
  if (status == kExitUsage || !bound || system.entryPoint == nullptr) {
    // Nothing ran: no request, no output, and never a call through a null entry point.
    Require(requests.empty() && system.standardOutput.empty());
    Require(status != kExitSuccess);
  }
  // Every library taken was given back.
  Require(system.releases == system.loads);
  return 0;
}
