// The command line: the arguments joined into one line, lower-cased and handed to the engine.
#pragma once

#include "engine/cmd_engine.h"

#include <cstddef>

/// The one engine of the process.
extern VelmiraCmdEngine theEngine;

/// The joined line holds at most this many bytes, each argument's separator space included.
inline constexpr std::size_t kCommandLineLimit = 259;

/// Joins argv[1] to argv[argc - 1], each followed by one space, into `line` (kCommandLineLimit
/// bytes and a NUL). Returns the joined length; a result above kCommandLineLimit means the
/// line did not fit, and `line` must not be used.
std::size_t JoinArguments(int argc, const char *const *argv, char (&line)[kCommandLineLimit + 1]);

/// Lower-cases a copy of `line`, writes it to the debugger output and runs it through
/// theEngine. Returns the exit status.
int ProcessCommandLine(const char *line);

/// The whole program: start-up, joining, the run and the final flush. Returns the exit status.
int RunProgram(int argc, const char *const *argv);
