// The rfkill TALV.dll: answers the status requests from the Linux kernel's rfkill devices, so that
// velmira reports and switches the machine's real wireless-LAN and Bluetooth radios.
#include "talv/common/refusal.h"
#include "talv/common/request_kind.h"
#include "talv/rfkill/rfkill_device.h"

namespace {

int Refuse(const char *reason) { return talv::Refuse("rfkill", reason); }

// The device's path comes from the environment, which is read once, as the library loads,
// rather than for every request.
struct Device {
  char path[4096];
  bool found;
};
Device g_device;

__attribute__((constructor)) void FindDevice() {
  g_device.found = rfkill::DevicePath(g_device.path, sizeof g_device.path);
}

} // namespace

extern "C" TALV_EXPORT int TALV_CALL TALVEvaluate(HardwareRequest request) {
  const talv::RequestKind kind = talv::KindOf(request);
  if (kind == talv::RequestKind::Unknown)
    return Refuse("unknown request");

  if (!g_device.found)
    return Refuse("TALV_RFKILL_DEVICE is too long");
  const char *path = g_device.path;
  rfkill::Failure failure;
  std::uint8_t status;
  if (!rfkill::ReadStatus(path, &status, &failure))
    return Refuse(failure.text);
  if (kind == talv::RequestKind::Read) {
    talv::Answer(request, status);
    return 0;
  }

  // Only the two enable bits can change; presence and the kill switch are the hardware's.
  rfkill_event records[2];
  const std::size_t count = rfkill::SwitchRecords(status, talv::WrittenStatus(request), records);
  if (!rfkill::WriteRecords(path, records, count, &failure))
    return Refuse(failure.text);
  return 0;
}
