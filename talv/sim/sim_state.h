// The simulator's status byte, kept in a state file so that it lasts between runs.
//
// The file holds the byte as two hex digits and a line break; a missing or empty file stands for
// kDefaultStatus. Every access holds an exclusive lock on the file for its whole length.
#pragma once

#include <cstddef>
#include <cstdint>

namespace sim {

/// Both radios present and on, kill switch letting them run.
inline constexpr std::uint8_t kDefaultStatus = 0x1F;

/// A reason for a failed access, for one line on standard error.
struct Failure {
  char text[320];
};

/// Parses the file's text; empty text is kDefaultStatus. Returns false for anything else than
/// two hex digits with an optional line break.
bool ParseState(const char *text, std::size_t length, std::uint8_t *status);

/// The file's text for `status`: two lower-case hex digits and a line break.
struct StateText {
  char text[3];
};
StateText FormatState(std::uint8_t status);

/// The state file's path: TALV_SIM_STATE, else a per-user file in XDG_RUNTIME_DIR or the
/// temporary directory. Returns false when it does not fit in `path`. Platform-specific, as are
/// the functions below.
bool StatePath(char *path, std::size_t size);

/// Reads the status. Returns false with the reason in `failure`.
bool ReadState(const char *path, std::uint8_t *status, Failure *failure);

/// Replaces the bits in `mask` with those of `bits` and keeps the others, in one locked step.
bool UpdateState(const char *path, std::uint8_t bits, std::uint8_t mask, Failure *failure);

} // namespace sim
