#include "tests/win/win_process.h"

#include <stdexcept>

namespace {

void Check(bool ok, const char *what) {
  if (!ok)
    throw std::runtime_error(std::string(what) + " failed: error " +
                             std::to_string(GetLastError()));
}

std::string ReadAll(HANDLE pipe) {
  std::string text;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0)
    text.append(buffer, got);
  return text;
}

/// Runs the debug loop until the debuggee ends and returns its debugger output.
std::vector<std::string> DriveDebugger(HANDLE process) {
  std::vector<std::string> texts;
  for (;;) {
    DEBUG_EVENT event;
    Check(WaitForDebugEvent(&event, 30000), "WaitForDebugEvent");
    DWORD continueStatus = DBG_CONTINUE;
    switch (event.dwDebugEventCode) {
    case OUTPUT_DEBUG_STRING_EVENT: {
      const OUTPUT_DEBUG_STRING_INFO &info = event.u.DebugString;
      std::string text(info.nDebugStringLength, '\0');
      ReadProcessMemory(process, info.lpDebugStringData, text.data(), text.size(), nullptr);
      if (!text.empty() && text.back() == '\0')
        text.pop_back();
      texts.push_back(text);
      break;
    }
    case CREATE_PROCESS_DEBUG_EVENT:
      CloseHandle(event.u.CreateProcessInfo.hFile);
      break;
    case LOAD_DLL_DEBUG_EVENT:
      CloseHandle(event.u.LoadDll.hFile);
      break;
    case EXCEPTION_DEBUG_EVENT:
      if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT)
        continueStatus = DBG_EXCEPTION_NOT_HANDLED;
      break;
    default:
      break;
    }
    ContinueDebugEvent(event.dwProcessId, event.dwThreadId, continueStatus);
    if (event.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT)
      return texts;
  }
}

} // namespace

WinProcess::WinProcess(const std::string &commandLine, const std::string &workingDirectory,
                       bool debug)
    : m_debug(debug) {
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE outputWrite, errorWrite;
  Check(CreatePipe(&m_output, &outputWrite, &inherit, 1 << 16), "CreatePipe");
  Check(CreatePipe(&m_error, &errorWrite, &inherit, 1 << 16), "CreatePipe");
  SetHandleInformation(m_output, HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(m_error, HANDLE_FLAG_INHERIT, 0);
  HANDLE input = CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                             OPEN_EXISTING, 0, nullptr);

  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input;
  startup.hStdOutput = outputWrite;
  startup.hStdError = errorWrite;
  std::string line = commandLine;
  const BOOL started = CreateProcessA(
      nullptr, line.data(), nullptr, nullptr, TRUE, debug ? DEBUG_ONLY_THIS_PROCESS : 0, nullptr,
      workingDirectory.empty() ? nullptr : workingDirectory.c_str(), &startup, &m_process);
  const DWORD cause = GetLastError();
  CloseHandle(outputWrite);
  CloseHandle(errorWrite);
  CloseHandle(input);
  SetLastError(cause);
  Check(started, "CreateProcess");
}

WinProcess::~WinProcess() {
  if (m_process.hProcess != nullptr) {
    TerminateProcess(m_process.hProcess, 255);
    CloseHandle(m_process.hProcess);
    CloseHandle(m_process.hThread);
  }
  CloseHandle(m_output);
  CloseHandle(m_error);
}

DWORD WinProcess::PendingOutput() const {
  DWORD available = 0;
  PeekNamedPipe(m_output, nullptr, 0, nullptr, &available, nullptr);
  return available;
}

WinResult WinProcess::Finish() {
  WinResult result;
  if (m_debug)
    result.debugOutput = DriveDebugger(m_process.hProcess);
  WaitForSingleObject(m_process.hProcess, 30000);
  GetExitCodeProcess(m_process.hProcess, &result.exitStatus);
  result.standardOutput = ReadAll(m_output);
  result.standardError = ReadAll(m_error);
  CloseHandle(m_process.hProcess);
  CloseHandle(m_process.hThread);
  m_process = {};
  return result;
}

std::string WindowsPath(const std::string &path) {
  if (path.empty() || path[0] != '/')
    return path;
  std::string windows = "Z:" + path;
  for (char &c : windows)
    if (c == '/')
      c = '\\';
  return windows;
}

WinTemporaryDirectory::WinTemporaryDirectory() {
  static int counter = 0;
  char temporary[MAX_PATH];
  GetTempPathA(sizeof temporary, temporary);
  m_path = std::string(temporary) + "velmira-test-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(++counter);
  Check(CreateDirectoryA(m_path.c_str(), nullptr), "CreateDirectory");
}

WinTemporaryDirectory::~WinTemporaryDirectory() {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((m_path + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do
      DeleteFileA((m_path + "\\" + found.cFileName).c_str());
    while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(m_path.c_str());
}

std::string ReadWholeFile(const std::string &path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return "";
  std::string text = ReadAll(file);
  CloseHandle(file);
  return text;
}
