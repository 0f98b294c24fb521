// The operations Velmira needs from the operating system and its application framework.
//
// The core (app/, engine/, hardware/) reaches the system only through these functions. Each
// platform implements them in its own files (*_posix.cpp, *_win.cpp); the tests link a
// recording fake instead. No operating-system header belongs here.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Start-up: takes the application title from the executable's file name and sets the
// process error mode where the platform has one. `programPath` is argv[0].
void InitializeFramework(const char *programPath);

/// The executable's file name without folder and extension ("velmira", "Velmira").
std::string_view ApplicationTitle();

// Text in the process's character set.

/// Lower-cases `text` in place by the platform's case rules; the length never changes.
void LowerCase(char *text, std::size_t length);
/// True when `byte` starts a two-byte character, whose second byte is never a character
/// of its own.
bool IsLeadByte(char byte);

// Output.

/// Writes `text` to standard output as it stands.
void WriteStandardOutput(std::string_view text);
/// Hands buffered standard output to the system. Returns false, with the reason in `error`
/// (unless it is null), when it could not be written.
bool FlushStandardOutput(std::string *error);
/// Writes one line to standard error; `line` carries no line break.
void WriteErrorLine(std::string_view line);
/// Passes one text to the system's debugger output, unchanged.
void DebugOutput(const char *text);
/// Tells the user that something failed, the way the platform shows a modal error: a message
/// box, or standard error where there are no windows. `detail` is the system's reason.
void ShowErrorBox(const char *text, std::string_view detail);

// Dynamic libraries.

using ModuleHandle = void *;

/// A module with this name (the platform's library extension added) that is already loaded
/// into the process, or null. No reference is taken on it.
ModuleHandle FindLoadedModule(const char *name);
/// Loads `fileName` from the places the platform trusts (never the current directory as such)
/// and returns a handle holding one reference, or null with the reason in `error`.
ModuleHandle LoadModule(const char *fileName, std::string *error);
/// The address of the export `name`, or null with the reason in `error`.
void *FindExport(ModuleHandle module, const char *name, std::string *error);
/// Gives back the reference that LoadModule took.
void ReleaseModule(ModuleHandle module);

// The companion program.

/// True when the companion registered under `className` is running.
bool CompanionWindowExists(const char *className);

/// A named, automatic-reset event, kept open until the process ends.
struct NamedEvent;
/// Opens the event `name`, or creates it not signalled. Returns null with the reason in
/// `error` when it can be neither created nor opened.
NamedEvent *OpenOrCreateEvent(const char *name, std::string *error);
/// Sets the event to signalled. A failure is not reported.
void SetNamedEvent(NamedEvent *event);

} // namespace platform
