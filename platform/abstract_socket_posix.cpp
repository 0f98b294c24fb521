#include "platform/abstract_socket_posix.h"

#include <cstddef>
#include <cstring>

namespace platform {

socklen_t AbstractSocketAddress(const char *name, sockaddr_un *address) {
  std::memset(address, 0, sizeof *address);
  address->sun_family = AF_UNIX;
  // sun_path starts with NUL; the name follows without a terminator.
  std::size_t length = std::strlen(name);
  if (length > sizeof address->sun_path - 1)
    length = sizeof address->sun_path - 1;
  std::memcpy(address->sun_path + 1, name, length);
  return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
}

} // namespace platform
