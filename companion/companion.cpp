#include "companion/companion.h"

#include "platform/abstract_socket_posix.h"

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace companion {
namespace {

/// A datagram socket bound to `name`, or -1 with the reason in `error`.
int BindName(const char *name, std::string *error) {
  const int fd = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd < 0) {
    *error = std::strerror(errno);
    return -1;
  }
  sockaddr_un address;
  const socklen_t length = platform::AbstractSocketAddress(name, &address);
  if (bind(fd, reinterpret_cast<sockaddr *>(&address), length) != 0) {
    const int cause = errno;
    close(fd);
    *error = std::string(name) + ": " +
             (cause == EADDRINUSE ? "the name is held already" : std::strerror(cause));
    return -1;
  }
  return fd;
}

} // namespace

std::unique_ptr<CompanionWindow> CompanionWindow::Register(std::string *error) {
  const int fd = BindName(kWindowClass, error);
  return fd < 0 ? nullptr : std::unique_ptr<CompanionWindow>(new CompanionWindow(fd));
}

CompanionWindow::~CompanionWindow() { close(m_socket); }

std::unique_ptr<NotifyEvent> NotifyEvent::Create(ResetMode mode, std::string *error) {
  const int fd = BindName(kEventName, error);
  return fd < 0 ? nullptr : std::unique_ptr<NotifyEvent>(new NotifyEvent(fd, mode));
}

NotifyEvent::~NotifyEvent() { close(m_socket); }

bool NotifyEvent::Wait(int timeoutMs) {
  pollfd ready = {m_socket, POLLIN, 0};
  int result;
  do
    result = poll(&ready, 1, timeoutMs);
  while (result < 0 && errno == EINTR);
  if (result <= 0)
    return false;
  if (m_mode == ResetMode::Automatic)
    Reset();
  return true;
}

void NotifyEvent::Reset() {
  // Signals that came while the event was signalled already add nothing: drain them all.
  char signal;
  while (recv(m_socket, &signal, sizeof signal, MSG_DONTWAIT) >= 0) {
  }
}

} // namespace companion
