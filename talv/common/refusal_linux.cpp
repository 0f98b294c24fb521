#include "talv/common/refusal.h"
#include "talv/common/text.h"
#include "talv/linux/system.h"

namespace talv {

int Refuse(const char *library, const char *reason) {
  char line[512];
  // A reason too long for the line is cut short; the line still ends.
  Concatenate(line, sizeof line - 1, {"TALV.dll (", library, "): ", reason});
  std::size_t length = Length(line);
  line[length++] = '\n';
  sys::WriteStandardError(line, length);
  return -1;
}

} // namespace talv
