#include "talv/common/refusal.h"

#include <cstdio>

namespace talv {

int Refuse(const char *library, const char *reason) {
  std::fprintf(stderr, "TALV.dll (%s): %s\n", library, reason);
  return -1;
}

} // namespace talv
