// The application framework on Windows: error mode, title, the ANSI code page's case rules,
// the debugger output and the message box.
#include "platform/platform.h"

#include <cstring>
#include <mbctype.h>
#include <mbstring.h>
#include <windows.h>

namespace platform {
namespace {

char g_title[MAX_PATH] = "Velmira";

/// The file name of `path` without folder and extension.
void SetTitleFrom(const char *path) {
  const char *name = path;
  for (const char *c = path; *c != '\0'; ++c)
    if (*c == '\\' || *c == '/' || *c == ':')
      name = c + 1;
  std::size_t length = std::strlen(name);
  if (const char *dot = std::strrchr(name, '.'); dot != nullptr && dot != name)
    length = static_cast<std::size_t>(dot - name);
  if (length == 0 || length >= sizeof g_title)
    return;
  std::memcpy(g_title, name, length);
  g_title[length] = '\0';
}

} // namespace

void InitializeFramework(const char *) {
  // Add "no critical-error dialog" and "no open-file-error box" to the mode found, so that a
  // missing or broken TALV.dll comes back as an error instead of a system dialog.
  const UINT mode = SetErrorMode(0);
  SetErrorMode(mode | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);

  // Case rules and lead bytes come from the system's ANSI code page.
  _setmbcp(_MB_CP_ANSI);

  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  if (length > 0 && length < sizeof path)
    SetTitleFrom(path);
}

std::string_view ApplicationTitle() { return g_title; }

void LowerCase(char *text, std::size_t) {
  // The text ends in NUL at `length`. A double-byte character is lower-cased as a unit; its
  // trail byte is never folded on its own.
  _mbslwr(reinterpret_cast<unsigned char *>(text));
}

bool IsLeadByte(char byte) { return _ismbblead(static_cast<unsigned char>(byte)) != 0; }

void DebugOutput(const char *text) { OutputDebugStringA(text); }

void ShowErrorBox(const char *text, std::string_view detail) {
  if (!detail.empty())
    WriteErrorLine(detail);
  MessageBoxA(nullptr, text, g_title, MB_OK | MB_ICONEXCLAMATION);
}

} // namespace platform
