#include "tests/support/process.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::vector<std::string> MergedEnvironment(const ProcessOptions &options) {
  std::map<std::string, std::string> merged;
  for (char **entry = environ; *entry != nullptr; ++entry) {
    std::string text = *entry;
    const std::size_t equals = text.find('=');
    if (equals != std::string::npos)
      merged[text.substr(0, equals)] = text.substr(equals + 1);
  }
  for (const auto &[name, value] : options.environment) {
    if (value)
      merged[name] = *value;
    else
      merged.erase(name);
  }
  std::vector<std::string> result;
  result.reserve(merged.size());
  for (const auto &[name, value] : merged) {
    std::string entry = name;
    entry.append("=").append(value);
    result.push_back(std::move(entry));
  }
  return result;
}

std::vector<char *> Pointers(std::vector<std::string> &texts) {
  std::vector<char *> pointers;
  pointers.reserve(texts.size() + 1);
  for (std::string &text : texts)
    pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

void Check(bool ok, const char *what) {
  if (!ok)
    throw std::runtime_error(std::string(what) + ": " + std::strerror(errno));
}

int DecodeStatus(int status) {
  if (WIFEXITED(status))
    return WEXITSTATUS(status);
  if (WIFSIGNALED(status))
    return 128 + WTERMSIG(status);
  return -1;
}

/// Forks and execs `program`; in the child, `prepare` runs first.
template <typename Prepare>
int Spawn(const std::string &program, const std::vector<std::string> &arguments,
          std::vector<std::string> environment, Prepare prepare) {
  std::vector<std::string> argv = {program};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  std::vector<char *> argvPointers = Pointers(argv);
  std::vector<char *> envPointers = Pointers(environment);
  const pid_t pid = fork();
  Check(pid >= 0, "fork");
  if (pid == 0) {
    prepare();
    execve(program.c_str(), argvPointers.data(), envPointers.data());
    _exit(127);
  }
  return pid;
}

} // namespace

ProcessResult RunProcess(const std::string &program, const std::vector<std::string> &arguments,
                         const ProcessOptions &options) {
  int out[2], err[2];
  Check(pipe2(out, O_CLOEXEC) == 0 && pipe2(err, O_CLOEXEC) == 0, "pipe");
  const int pid = Spawn(program, arguments, MergedEnvironment(options), [&] {
    if (!options.workingDirectory.empty() && chdir(options.workingDirectory.c_str()) != 0)
      _exit(126);
    int stdoutFd = out[1];
    if (!options.standardOutputFile.empty())
      stdoutFd = open(options.standardOutputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(stdoutFd, 1);
    dup2(err[1], 2);
    const int devNull = open("/dev/null", O_RDONLY);
    dup2(devNull, 0);
  });
  close(out[1]);
  close(err[1]);

  ProcessResult result;
  pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
  std::string *sinks[2] = {&result.standardOutput, &result.standardError};
  int open = 2;
  while (open > 0) {
    if (poll(fds, 2, -1) < 0 && errno == EINTR)
      continue;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0)
        continue;
      char buffer[4096];
      const ssize_t got = read(fds[i].fd, buffer, sizeof buffer);
      if (got > 0) {
        sinks[i]->append(buffer, static_cast<std::size_t>(got));
      } else {
        close(fds[i].fd);
        fds[i].fd = -1;
        --open;
      }
    }
  }
  int status = 0;
  waitpid(pid, &status, 0);
  result.exitStatus = DecodeStatus(status);
  return result;
}

BackgroundProcess::BackgroundProcess(const std::string &program,
                                     const std::vector<std::string> &arguments) {
  int out[2];
  Check(pipe2(out, O_CLOEXEC) == 0, "pipe");
  m_pid = Spawn(program, arguments, MergedEnvironment({}), [&] { dup2(out[1], 1); });
  close(out[1]);
  m_output = out[0];
}

BackgroundProcess::~BackgroundProcess() {
  if (m_pid > 0) {
    kill(m_pid, SIGTERM);
    Wait();
  }
  if (m_output >= 0)
    close(m_output);
}

std::optional<std::string> BackgroundProcess::ReadLine(int timeoutMs) {
  for (;;) {
    if (const std::size_t end = m_pending.find('\n'); end != std::string::npos) {
      std::string line = m_pending.substr(0, end);
      m_pending.erase(0, end + 1);
      return line;
    }
    pollfd ready = {m_output, POLLIN, 0};
    if (poll(&ready, 1, timeoutMs) <= 0)
      return std::nullopt;
    char buffer[256];
    const ssize_t got = read(m_output, buffer, sizeof buffer);
    if (got <= 0)
      return std::nullopt;
    m_pending.append(buffer, static_cast<std::size_t>(got));
  }
}

int BackgroundProcess::Wait() {
  int status = 0;
  waitpid(m_pid, &status, 0);
  m_pid = -1;
  return DecodeStatus(status);
}

TemporaryDirectory::TemporaryDirectory() {
  std::string pattern = (std::filesystem::temp_directory_path() / "velmira-test-XXXXXX").string();
  Check(mkdtemp(pattern.data()) != nullptr, "mkdtemp");
  m_path = pattern;
}

TemporaryDirectory::~TemporaryDirectory() {
  std::error_code ignored;
  std::filesystem::remove_all(m_path, ignored);
}

void CopyFile(const std::string &from, const std::string &to) {
  std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing);
}

std::string ReadFile(const std::string &path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

void WriteFile(const std::string &path, const std::string &text) {
  std::ofstream(path, std::ios::binary) << text;
}

bool FileExists(const std::string &path) { return std::filesystem::exists(path); }
