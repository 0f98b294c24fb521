// The parts of the system services that need no system call of their own.
#include "talv/linux/system.h"
#include "talv/common/text.h"

#include <cerrno>
#include <fcntl.h>

namespace talv::sys {
namespace {

struct Description {
  int error;
  const char *text;
};

// What opening, reading, writing and locking files and devices can meet.
constexpr Description kDescriptions[] = {
    {EPERM, "Operation not permitted"},
    {ENOENT, "No such file or directory"},
    {EINTR, "Interrupted system call"},
    {EIO, "Input/output error"},
    {ENXIO, "No such device or address"},
    {EBADF, "Bad file descriptor"},
    {EAGAIN, "Resource temporarily unavailable"},
    {ENOMEM, "Cannot allocate memory"},
    {EACCES, "Permission denied"},
    {EFAULT, "Bad address"},
    {EBUSY, "Device or resource busy"},
    {EEXIST, "File exists"},
    {ENODEV, "No such device"},
    {ENOTDIR, "Not a directory"},
    {EISDIR, "Is a directory"},
    {EINVAL, "Invalid argument"},
    {ENFILE, "Too many open files in system"},
    {EMFILE, "Too many open files"},
    {ETXTBSY, "Text file busy"},
    {EFBIG, "File too large"},
    {ENOSPC, "No space left on device"},
    {ESPIPE, "Illegal seek"},
    {EROFS, "Read-only file system"},
    {EPIPE, "Broken pipe"},
    {ENAMETOOLONG, "File name too long"},
    {ENOLCK, "No locks available"},
    {ELOOP, "Too many levels of symbolic links"},
    {EOVERFLOW, "Value too large for defined data type"},
    {EOPNOTSUPP, "Operation not supported"},
    {EDQUOT, "Disk quota exceeded"},
    {ESTALE, "Stale file handle"},
};

/// An environment file, read through one buffer.
class EnvironmentFile {
public:
  explicit EnvironmentFile(int fd) : m_fd(fd) {}

  /// Reads up to the next zero byte or `stop`, keeping the first `room` bytes in `out` and the
  /// count of all in `length`. Returns the byte that ended the run, or -1 for the end of the
  /// file (or an error, which ends it just the same).
  int ReadUntil(char stop, char *out, std::size_t room, std::size_t *length) {
    std::size_t count = 0;
    do {
      for (long i = m_next; i < m_end; ++i) {
        const char c = m_chunk[i];
        if (c == '\0' || c == stop) {
          m_next = i + 1;
          *length = count;
          return c;
        }
        if (count < room)
          out[count] = c;
        ++count;
      }
    } while (Refill());
    *length = count;
    return -1;
  }

  /// Moves past the rest of the entry. Returns false at the end of the file.
  bool SkipEntry() {
    std::size_t length;
    return ReadUntil('\0', nullptr, 0, &length) == 0;
  }

private:
  bool Refill() {
    long got;
    do
      got = Read(m_fd, m_chunk, sizeof m_chunk);
    while (got == -EINTR);
    m_next = 0;
    m_end = got > 0 ? got : 0;
    return m_end > 0;
  }

  int m_fd;
  char m_chunk[4096];
  long m_next = 0;
  long m_end = 0;
};

/// The variable that `name` (of `length` bytes) names and that has no value yet, if any. The
/// first of two entries with one name is the one that counts, as for getenv.
Variable *Unfilled(Variable *variables, std::size_t count, const char *name, std::size_t length) {
  for (std::size_t i = 0; i < count; ++i) {
    const char *wanted = variables[i].name;
    std::size_t j = 0;
    while (j < length && wanted[j] == name[j])
      ++j;
    if (j == length && wanted[j] == '\0' && variables[i].length < 0)
      return &variables[i];
  }
  return nullptr;
}

/// Copies the rest of the entry into `variable`. Returns false at the end of the file.
bool ReadValue(EnvironmentFile &file, Variable &variable) {
  std::size_t length;
  const int end = file.ReadUntil('\0', variable.value, variable.size - 1, &length);
  variable.value[length < variable.size ? length : variable.size - 1] = '\0';
  variable.length = static_cast<long>(length);
  return end == 0;
}

/// Reads the name of the next entry, and the '=' after it, into `name`. Returns its length, or
/// -1 for an entry that no variable can be named by (too long, or without '='); `more` says
/// whether entries follow.
long ReadName(EnvironmentFile &file, char (&name)[64], bool *more) {
  std::size_t length;
  const int end = file.ReadUntil('=', name, sizeof name, &length);
  *more = end >= 0;
  if (end != '=')
    return -1;
  if (length > sizeof name) {
    *more = file.SkipEntry();
    return -1;
  }
  return static_cast<long>(length);
}

} // namespace

void WriteStandardError(const char *text, std::size_t length) {
  while (length > 0) {
    const long written = Write(2, text, length);
    if (written == -EINTR)
      continue;
    if (written <= 0)
      return;
    text += written;
    length -= static_cast<std::size_t>(written);
  }
}

ErrorText Describe(int error) {
  ErrorText described;
  for (const Description &description : kDescriptions) {
    if (description.error == error) {
      Concatenate(described.text, sizeof described.text, {description.text});
      return described;
    }
  }
  Concatenate(described.text, sizeof described.text,
              {error < 0 ? "Unknown error -" : "Unknown error ",
               Decimal(static_cast<unsigned long>(error < 0 ? -error : error)).c_str()});
  return described;
}

void LookUp(Variable *variables, std::size_t count, const char *environment) {
  for (std::size_t i = 0; i < count; ++i) {
    variables[i].length = -1;
    if (variables[i].size > 0)
      variables[i].value[0] = '\0';
  }
  const int fd = Open(environment, O_RDONLY | O_CLOEXEC);
  if (fd < 0)
    return;
  EnvironmentFile file(fd);
  char name[64];
  bool more = true;
  while (more) {
    const long length = ReadName(file, name, &more);
    if (length < 0)
      continue;
    Variable *variable = Unfilled(variables, count, name, static_cast<std::size_t>(length));
    more = variable != nullptr ? ReadValue(file, *variable) : file.SkipEntry();
  }
  Close(fd);
}

} // namespace talv::sys
