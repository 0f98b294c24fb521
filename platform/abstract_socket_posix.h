// Names in Linux's abstract socket namespace: no file on disk, and the kernel drops a name
// with the last socket bound to it, as Windows drops a named object with its last handle.
#pragma once

#include <sys/socket.h>
#include <sys/un.h>

namespace platform {

/// Fills `address` with `name` in the abstract namespace and returns its length.
socklen_t AbstractSocketAddress(const char *name, sockaddr_un *address);

} // namespace platform
