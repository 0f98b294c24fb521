// The companion program on Linux. Its "window" is a datagram socket bound to the window class
// name in the abstract namespace; its named event is a datagram socket bound to the event name,
// which a signaller reaches by sending it one byte.
#include "platform/abstract_socket_posix.h"
#include "platform/platform.h"

#include <cerrno>
#include <cstring>
#include <new>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {

struct NamedEvent {
  int socket;
  bool created; // bound here: nobody else holds the name, so there is nobody to wake
};

namespace {

int DatagramSocket() { return socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0); }

/// True when a socket of another type holds the name. Each socket type has a namespace of its
/// own, so only a bind of that type finds out; the probe lets the name go again at once.
bool HeldByAnotherKind(const sockaddr *name, socklen_t length) {
  for (int type : {SOCK_STREAM, SOCK_SEQPACKET}) {
    const int probe = socket(AF_UNIX, type | SOCK_CLOEXEC, 0);
    if (probe < 0)
      continue;
    const bool held = bind(probe, name, length) != 0 && errno == EADDRINUSE;
    close(probe);
    if (held)
      return true;
  }
  return false;
}

} // namespace

bool CompanionWindowExists(const char *className) {
  const int probe = DatagramSocket();
  if (probe < 0)
    return false;
  sockaddr_un address;
  const socklen_t length = AbstractSocketAddress(className, &address);
  // Connecting a datagram socket sends nothing: it only finds the peer.
  const bool found = connect(probe, reinterpret_cast<sockaddr *>(&address), length) == 0;
  close(probe);
  return found;
}

NamedEvent *OpenOrCreateEvent(const char *name, std::string *error) {
  const int fd = DatagramSocket();
  if (fd < 0) {
    *error = std::strerror(errno);
    return nullptr;
  }
  sockaddr_un address;
  const socklen_t length = AbstractSocketAddress(name, &address);
  const auto *peer = reinterpret_cast<const sockaddr *>(&address);

  // Open the existing event, else create it; a second round covers an event that another
  // process created between the two steps.
  int cause = 0;
  bool created = false;
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (connect(fd, peer, length) == 0) {
      cause = 0;
      break;
    }
    cause = errno;
    if (cause != ECONNREFUSED)
      break;
    if (HeldByAnotherKind(peer, length)) {
      cause = EPROTOTYPE;
      break;
    }
    if (bind(fd, peer, length) == 0) {
      created = true;
      cause = 0;
      break;
    }
    cause = errno;
    if (cause != EADDRINUSE)
      break;
  }
  if (cause == 0) {
    auto *event = new (std::nothrow) NamedEvent{fd, created};
    if (event != nullptr)
      return event;
    cause = ENOMEM;
  }

  close(fd);
  *error =
      cause == EPROTOTYPE ? "the name is held by an object of another kind" : std::strerror(cause);
  return nullptr;
}

void SetNamedEvent(NamedEvent *event) {
  if (event->created)
    return;
  const char signal = 1;
  (void)send(event->socket, &signal, 1, MSG_DONTWAIT | MSG_NOSIGNAL);
}

} // namespace platform
