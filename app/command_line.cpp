#include "app/command_line.h"

#include <cstring>
#include <string>

VelmiraCmdEngine theEngine;

std::size_t JoinArguments(int argc, const char *const *argv, char (&line)[kCommandLineLimit + 1]) {
  std::memset(line, 0, sizeof line);
  std::size_t length = 0;
  for (int i = 1; i < argc; ++i) {
    const std::size_t argumentLength = std::strlen(argv[i]);
    // Count on past the limit, so that the caller can say how long the line would be.
    if (length <= kCommandLineLimit && argumentLength + 1 <= kCommandLineLimit - length) {
      std::memcpy(line + length, argv[i], argumentLength);
      line[length + argumentLength] = ' ';
    }
    length += argumentLength + 1;
  }
  if (length > kCommandLineLimit)
    std::memset(line, 0, sizeof line);
  return length;
}

int ProcessCommandLine(const char *line) {
  char lowered[kCommandLineLimit + 1];
  const std::size_t length = std::strlen(line);
  if (length > kCommandLineLimit)
    return kExitUsage;
  std::memcpy(lowered, line, length + 1);
  platform::LowerCase(lowered, length);
  platform::DebugOutput(lowered);
  return theEngine.Run(std::string_view(lowered, length));
}

int RunProgram(int argc, const char *const *argv) {
  platform::InitializeFramework(argc > 0 ? argv[0] : nullptr);

  char line[kCommandLineLimit + 1];
  const std::size_t length = JoinArguments(argc, argv, line);
  if (length > kCommandLineLimit) {
    platform::WriteErrorLine("the command line is " + std::to_string(length) +
                             " characters long; the limit is " + std::to_string(kCommandLineLimit));
    return kExitUsage;
  }

  int status = ProcessCommandLine(line);

  std::string error;
  if (!platform::FlushStandardOutput(&error)) {
    platform::WriteErrorLine("cannot write standard output: " + error);
    status = kExitFailure;
  }
  return status;
}
