#include "talv/rfkill/rfkill_state.h"

namespace rfkill {
namespace {

constexpr std::uint8_t kWirelessOn = 0x01;
constexpr std::uint8_t kBluetoothOn = 0x02;
constexpr std::uint8_t kWirelessPresent = 0x04;
constexpr std::uint8_t kBluetoothPresent = 0x08;

} // namespace

DeviceSet::Device *DeviceSet::Find(std::uint32_t idx) {
  for (std::size_t i = 0; i < m_count; ++i)
    if (m_devices[i].idx == idx)
      return &m_devices[i];
  return nullptr;
}

bool DeviceSet::Apply(const rfkill_event &record) {
  switch (record.op) {
  case RFKILL_OP_ADD:
  case RFKILL_OP_CHANGE: {
    Device *device = Find(record.idx);
    if (device == nullptr) {
      if (m_count == kCapacity)
        return false;
      device = &m_devices[m_count++];
    }
    *device = {record.idx, record.type, record.soft != 0, record.hard != 0};
    return true;
  }
  case RFKILL_OP_DEL:
    if (Device *device = Find(record.idx))
      *device = m_devices[--m_count];
    return true;
  case RFKILL_OP_CHANGE_ALL:
    for (std::size_t i = 0; i < m_count; ++i)
      if (record.type == RFKILL_TYPE_ALL || m_devices[i].type == record.type)
        m_devices[i].soft = record.soft != 0;
    return true;
  default:
    return false;
  }
}

std::uint8_t DeviceSet::StatusByte() const {
  bool wireless = false, bluetooth = false;
  bool wirelessBlocked = false, bluetoothBlocked = false, hardBlocked = false;
  for (std::size_t i = 0; i < m_count; ++i) {
    const Device &device = m_devices[i];
    if (device.type == RFKILL_TYPE_WLAN) {
      wireless = true;
      wirelessBlocked |= device.soft;
      hardBlocked |= device.hard;
    } else if (device.type == RFKILL_TYPE_BLUETOOTH) {
      bluetooth = true;
      bluetoothBlocked |= device.soft;
      hardBlocked |= device.hard;
    }
  }
  std::uint8_t status = hardBlocked ? 0 : kNoRadios;
  if (wireless)
    status |= wirelessBlocked ? kWirelessPresent : kWirelessPresent | kWirelessOn;
  if (bluetooth)
    status |= bluetoothBlocked ? kBluetoothPresent : kBluetoothPresent | kBluetoothOn;
  return status;
}

std::size_t SwitchRecords(std::uint8_t current, std::uint8_t wanted, rfkill_event records[2]) {
  std::size_t count = 0;
  const struct {
    std::uint8_t bit;
    std::uint8_t type;
  } radios[] = {{kWirelessOn, RFKILL_TYPE_WLAN}, {kBluetoothOn, RFKILL_TYPE_BLUETOOTH}};
  for (const auto &radio : radios) {
    if ((current & radio.bit) == (wanted & radio.bit))
      continue;
    records[count++] = rfkill_event{0, radio.type, RFKILL_OP_CHANGE_ALL,
                                    static_cast<std::uint8_t>((wanted & radio.bit) ? 0 : 1), 0};
  }
  return count;
}

} // namespace rfkill
