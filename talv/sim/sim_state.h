// The simulator's status byte, kept in a state file so that it lasts between runs.
//
// The file holds the byte as two hex digits and a line break; a missing or empty file stands for
// kDefaultStatus. Every access holds an exclusive lock on the file for its whole length.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>

namespace sim {

/// Both radios present and on, kill switch letting them run.
inline constexpr std::uint8_t kDefaultStatus = 0x1F;

/// A reason for a failed access, for one line on standard error.
struct Failure {
  char text[320];
};

/// The state file's path: TALV_SIM_STATE, else a per-user file in XDG_RUNTIME_DIR or the
/// temporary directory. Returns false when it does not fit in `path`.
bool StatePath(char *path, std::size_t size);

/// The per-user default path. Returns false when it does not fit. Platform-specific.
bool DefaultStatePath(char *path, std::size_t size);

/// Puts the parts one after the other into `path`. Returns false when they do not fit.
bool JoinPath(char *path, std::size_t size, std::initializer_list<const char *> parts);

/// Parses the file's text; empty text is kDefaultStatus. Returns false for anything else than
/// two hex digits with an optional line break.
bool ParseState(const char *text, std::size_t length, std::uint8_t *status);

/// Reads the status (platform-specific, as is UpdateState). Returns false with the reason in
/// `failure`.
bool ReadState(const char *path, std::uint8_t *status, Failure *failure);

/// Replaces the bits in `mask` with those of `bits` and keeps the others, in one locked step.
bool UpdateState(const char *path, std::uint8_t bits, std::uint8_t mask, Failure *failure);

} // namespace sim
