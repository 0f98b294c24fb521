// A TALV.dll for the tests: appends one line per request to the file named by TALV_RECORDER_LOG
// and answers reads from TALV_RECORDER_READS.
//
//   TALV_RECORDER_READS   comma-separated hex bytes answered to the reads in turn, the last one
//                         repeating; "-" leaves the output untouched. Default: 1f.
//   TALV_RECORDER_RESULT  the value returned for every request. Default: 0.
//
// Log lines: "<code> in=<input bytes> out=<buf|null>/<output length>", e.g. "b0 in=bb out=buf/1"
// and "b1 in=bb1d out=null/0".
#include "talv/hardware_request.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int g_reads = 0;

/// The answer to read number `index`: a byte, or -1 for none.
int ReadAnswer(int index) {
  const char *script = std::getenv("TALV_RECORDER_READS");
  if (script == nullptr || *script == '\0')
    script = "1f";
  const char *entry = script;
  for (int i = 0; i < index; ++i) {
    const char *comma = std::strchr(entry, ',');
    if (comma == nullptr)
      break;
    entry = comma + 1;
  }
  if (*entry == '-')
    return -1;
  return static_cast<int>(std::strtoul(entry, nullptr, 16) & 0xFF);
}

void Record(const HardwareRequest &request) {
  const char *logPath = std::getenv("TALV_RECORDER_LOG");
  if (logPath == nullptr)
    return;
  char line[256];
  int length = std::snprintf(line, sizeof line, "%02x in=", request.functionCode);
  const auto *input = static_cast<const unsigned char *>(request.pInput);
  for (std::uint32_t i = 0; input != nullptr && i < request.inputLength && i < 16; ++i)
    length += std::snprintf(line + length, sizeof line - length, "%02x", input[i]);
  std::snprintf(line + length, sizeof line - length, " out=%s/%u\n",
                request.pOutput != nullptr ? "buf" : "null",
                static_cast<unsigned>(request.outputLength));
  if (FILE *log = std::fopen(logPath, "a")) {
    std::fputs(line, log);
    std::fclose(log);
  }
}

} // namespace

extern "C" TALV_EXPORT int TALV_CALL TALVEvaluate(HardwareRequest request) {
  Record(request);
  if (request.functionCode == TALV_READ_STATUS && request.pOutput != nullptr &&
      request.outputLength >= 1) {
    const int answer = ReadAnswer(g_reads++);
    if (answer >= 0)
      *static_cast<unsigned char *>(request.pOutput) = static_cast<unsigned char>(answer);
  }
  const char *result = std::getenv("TALV_RECORDER_RESULT");
  return result != nullptr ? std::atoi(result) : 0;
}
