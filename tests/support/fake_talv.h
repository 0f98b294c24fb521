// A stand-in for the hardware-access library's entry point: records every request and answers
// reads from a script.
#pragma once

#include "talv/hardware_request.h"

#include <cstdint>
#include <string>
#include <vector>

struct RecordedRequest {
  std::uint8_t functionCode;
  std::vector<std::uint8_t> input;
  const void *pOutput;
  std::uint32_t outputLength;
};

struct FakeTalv {
  std::vector<RecordedRequest> requests;
  /// Answers to the reads in turn, the last one repeating; -1 leaves the output untouched.
  std::vector<int> reads = {0x1F};
  int result = 0;

  static FakeTalv &Get();
  /// Clears the record, sets the script and points g_pfnEvaluate at the fake.
  static void Reset(std::vector<int> reads = {0x1F});
  /// The requests in short form: "R" for a read, "W1d" for a write of 0x1d.
  static std::string Sequence();
};

extern "C" int TALV_CALL FakeTalvEvaluate(HardwareRequest request);
