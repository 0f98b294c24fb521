// The application framework on POSIX systems: title, case rules, debugger output (syslog)
// and the error "box" (standard error).
#include "platform/platform.h"

#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <syslog.h>
#include <unistd.h>

namespace platform {
namespace {

char g_title[64] = "velmira";

} // namespace

void InitializeFramework(const char *programPath) {
  // There is no process error mode to set here.
  if (programPath == nullptr || *programPath == '\0')
    return;
  const char *slash = std::strrchr(programPath, '/');
  const char *name = slash != nullptr ? slash + 1 : programPath;
  if (*name == '\0')
    return;
  std::size_t length = std::strlen(name);
  if (const char *dot = std::strrchr(name, '.'); dot != nullptr && dot != name)
    length = static_cast<std::size_t>(dot - name);
  if (length >= sizeof g_title)
    length = sizeof g_title - 1;
  std::memcpy(g_title, name, length);
  g_title[length] = '\0';
}

std::string_view ApplicationTitle() { return g_title; }

void LowerCase(char *text, std::size_t length) {
  // ASCII letters only: every other byte stays, so UTF-8 stays valid.
  for (std::size_t i = 0; i < length; ++i) {
    if (text[i] >= 'A' && text[i] <= 'Z')
      text[i] = static_cast<char>(text[i] - 'A' + 'a');
  }
}

bool IsLeadByte(char) { return false; }

void DebugOutput(const char *text) {
  // One syslog record per text, "<priority>tag: text", sent straight to the local syslog socket
  // as syslog(3) would, without the time stamp that the receiver adds itself. Nothing depends
  // on whether anybody listens.
  static int logSocket = -2; // not yet opened
  if (logSocket == -2) {
    logSocket = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, "/dev/log");
    if (logSocket >= 0 &&
        connect(logSocket, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0) {
      close(logSocket);
      logSocket = -1;
    }
  }
  if (logSocket < 0)
    return;
  static_assert((LOG_USER | LOG_DEBUG) == 15);
  std::string record = "<15>";
  record.append(g_title).append(": ").append(text);
  (void)send(logSocket, record.data(), record.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
}

void ShowErrorBox(const char *text, std::string_view detail) {
  WriteErrorLine(text);
  if (!detail.empty()) {
    std::string line(detail);
    line += '\n';
    std::fputs(line.c_str(), stderr);
  }
}

} // namespace platform
