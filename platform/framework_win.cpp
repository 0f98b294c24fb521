// The application framework on Windows: error mode, title, the ANSI code page's case rules,
// the debugger output and the message box.
#include "platform/platform.h"

#include <cstring>
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

  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  if (length > 0 && length < sizeof path)
    SetTitleFrom(path);
}

std::string_view ApplicationTitle() { return g_title; }

void LowerCase(char *text, std::size_t length) {
  // Character by character in the ANSI code page: a double-byte character is lower-cased as a
  // unit and its trail byte never on its own. A character whose small form would take another
  // number of bytes, or has none in the code page, stays as it is.
  for (std::size_t i = 0; i < length;) {
    const int width = IsLeadByte(text[i]) && i + 1 < length ? 2 : 1;
    wchar_t wide[2];
    if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text + i, width, wide, 2) == 1) {
      CharLowerBuffW(wide, 1);
      char small[2];
      BOOL lossy = FALSE;
      if (WideCharToMultiByte(CP_ACP, 0, wide, 1, small, sizeof small, nullptr, &lossy) == width &&
          !lossy)
        std::memcpy(text + i, small, static_cast<std::size_t>(width));
    }
    i += static_cast<std::size_t>(width);
  }
}

bool IsLeadByte(char byte) { return IsDBCSLeadByte(static_cast<BYTE>(byte)) != 0; }

void DebugOutput(const char *text) { OutputDebugStringA(text); }

void ShowErrorBox(const char *text, std::string_view detail) {
  if (!detail.empty())
    WriteErrorLine(detail);
  MessageBoxA(nullptr, text, g_title, MB_OK | MB_ICONEXCLAMATION);
}

} // namespace platform
