// Runs Velmira.exe as a real Windows process for the end-to-end tests: its standard output and
// error, its exit status and, under a debugger of the tests' own, its debugger output.
#pragma once

#include <string>
#include <vector>
#include <windows.h>

struct WinResult {
  std::string standardOutput;
  std::string standardError;
  DWORD exitStatus = 0;
  std::vector<std::string> debugOutput;
};

/// A started process whose output pipes are read once it ends.
class WinProcess {
public:
  /// Starts `commandLine` in `workingDirectory` (empty: the test's own). With `debug`, the
  /// process runs under a debugger that Finish drives.
  WinProcess(const std::string &commandLine, const std::string &workingDirectory, bool debug);
  ~WinProcess();
  WinProcess(const WinProcess &) = delete;
  WinProcess &operator=(const WinProcess &) = delete;

  /// Bytes written to standard output so far and not yet read.
  DWORD PendingOutput() const;
  /// Waits for the end of the process (driving the debugger) and collects what it wrote.
  WinResult Finish();

private:
  PROCESS_INFORMATION m_process = {};
  HANDLE m_output = nullptr;
  HANDLE m_error = nullptr;
  bool m_debug;
};

/// A Unix path as Wine sees it (drive Z:); Windows paths pass unchanged.
std::string WindowsPath(const std::string &path);

/// A new directory under the temporary folder, removed with its files at the end.
class WinTemporaryDirectory {
public:
  WinTemporaryDirectory();
  ~WinTemporaryDirectory();
  WinTemporaryDirectory(const WinTemporaryDirectory &) = delete;
  WinTemporaryDirectory &operator=(const WinTemporaryDirectory &) = delete;
  const std::string &path() const { return m_path; }
  std::string operator/(const std::string &name) const { return m_path + "\\" + name; }

private:
  std::string m_path;
};

std::string ReadWholeFile(const std::string &path);
