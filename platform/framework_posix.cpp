// The application framework on POSIX systems: title, case rules, debugger output (syslog)
// and the error "box" (standard error).
#include "platform/platform.h"

#include <cstring>
#include <syslog.h>

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
  static bool opened = false;
  if (!opened) {
    openlog(g_title, 0, LOG_USER);
    opened = true;
  }
  syslog(LOG_DEBUG, "%s", text);
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
