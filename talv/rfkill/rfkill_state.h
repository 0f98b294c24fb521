// The radio status byte from the kernel's rfkill devices, and the rfkill records that switch
// them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <linux/rfkill.h>

namespace rfkill {

/// The one status a machine without any rfkill device has: no radio, nothing hard-blocked.
inline constexpr std::uint8_t kNoRadios = 0x10;

/// The state of every rfkill device, built from the device's event records.
class DeviceSet {
public:
  /// Applies one record: ADD and CHANGE set a device's state, DEL removes it, CHANGE_ALL sets
  /// the soft block of every device of its type (or of all types). Returns false for a record
  /// of an unknown kind, or when there are more devices than it can hold.
  bool Apply(const rfkill_event &record);

  /// Bit 2 (3): some WLAN (Bluetooth) device exists; bit 0 (1): it exists and none of its type
  /// is soft-blocked; bit 4: no WLAN or Bluetooth device is hard-blocked; bits 5-7 clear.
  std::uint8_t StatusByte() const;

private:
  struct Device {
    std::uint32_t idx;
    std::uint8_t type;
    bool soft;
    bool hard;
  };
  Device *Find(std::uint32_t idx);

  static constexpr std::size_t kCapacity = 256;
  Device m_devices[kCapacity] = {};
  std::size_t m_count = 0;
};

/// The CHANGE_ALL records that take the radios from `current` to `wanted`: one for each of the
/// two enable bits that differs, wireless first. Returns how many it put into `records`.
std::size_t SwitchRecords(std::uint8_t current, std::uint8_t wanted, rfkill_event records[2]);

} // namespace rfkill
