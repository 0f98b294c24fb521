// Runs programs as real processes for the end-to-end tests (POSIX).
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

struct ProcessOptions {
  /// Variables to set; an empty optional removes the variable.
  std::map<std::string, std::optional<std::string>> environment;
  std::string workingDirectory;   // empty: the test's own
  std::string standardOutputFile; // empty: captured
};

struct ProcessResult {
  std::string standardOutput;
  std::string standardError;
  int exitStatus = -1; // the exit status, or 128 + the signal that ended the process
};

/// Runs `program` with `arguments` and waits for it.
ProcessResult RunProcess(const std::string &program, const std::vector<std::string> &arguments,
                         const ProcessOptions &options = {});

/// A program left running in the background, its standard output read line by line.
class BackgroundProcess {
public:
  BackgroundProcess(const std::string &program, const std::vector<std::string> &arguments);
  ~BackgroundProcess();
  BackgroundProcess(const BackgroundProcess &) = delete;
  BackgroundProcess &operator=(const BackgroundProcess &) = delete;

  /// The next line of standard output without its line break, or nothing after `timeoutMs`.
  std::optional<std::string> ReadLine(int timeoutMs);
  /// Waits for the process to end and returns its exit status.
  int Wait();

private:
  int m_pid = -1;
  int m_output = -1;
  std::string m_pending;
};

/// A new, empty directory that is removed with the object.
class TemporaryDirectory {
public:
  TemporaryDirectory();
  ~TemporaryDirectory();
  TemporaryDirectory(const TemporaryDirectory &) = delete;
  TemporaryDirectory &operator=(const TemporaryDirectory &) = delete;
  const std::string &path() const { return m_path; }
  std::string operator/(const std::string &name) const { return m_path + "/" + name; }

private:
  std::string m_path;
};

void CopyFile(const std::string &from, const std::string &to);
std::string ReadFile(const std::string &path);
void WriteFile(const std::string &path, const std::string &text);
bool FileExists(const std::string &path);
