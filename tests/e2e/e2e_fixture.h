// End-to-end runs: a copy of the built velmira in a fresh directory, with a test library as the
// TALV.dll beside it, run as a real process.
#pragma once

#include "tests/support/process.h"

#include <gtest/gtest.h>

#include <sstream>

class VelmiraProcessTest : public testing::Test {
protected:
  /// Puts velmira into the directory, with `library` beside it as TALV.dll (none if empty).
  void Install(const std::string &library = VELMIRA_RECORDER_LIB) {
    CopyFile(VELMIRA_EXE, Program());
    if (!library.empty())
      CopyFile(library, directory / "TALV.dll");
  }

  std::string Program() const { return directory / "velmira"; }

  /// Runs the installed velmira; the recorder answers reads with `reads`.
  ProcessResult Velmira(const std::vector<std::string> &arguments, const std::string &reads = "1f",
                        ProcessOptions options = {}) {
    options.environment.emplace("LD_LIBRARY_PATH", std::nullopt);
    options.environment.emplace("LD_PRELOAD", std::nullopt);
    options.environment.emplace("TALV_RECORDER_LOG", LogPath());
    options.environment.emplace("TALV_RECORDER_READS", reads);
    return RunProcess(Program(), arguments, options);
  }

  std::string LogPath() const { return directory / "requests.log"; }

  /// The requests that reached the recorder, one line each.
  std::vector<std::string> Requests() const {
    std::vector<std::string> lines;
    std::istringstream log(ReadFile(LogPath()));
    for (std::string line; std::getline(log, line);)
      lines.push_back(line);
    return lines;
  }

  TemporaryDirectory directory;
};

inline constexpr char kReadRequest[] = "b0 in=bb out=buf/1";
inline std::string WriteRequest(const char *status) {
  return std::string("b1 in=bb") + status + " out=null/0";
}
