#include "engine/cmd_engine.h"

#include <cstdio>

namespace {

constexpr char kDisableWireless[] = "Disable Wireless device.\n";

} // namespace

bool VelmiraCmdEngine::ApplyRadioSettings(char bluetoothValue, char wirelessValue,
                                          std::string *error) {
  // Each value is one byte; NUL shows as an empty text.
  const char bluetoothText[2] = {bluetoothValue, '\0'};
  const char wirelessText[2] = {wirelessValue, '\0'};
  char diagnostic[32];
  std::snprintf(diagnostic, sizeof diagnostic, "bluetooth=%s, wireless=%s", bluetoothText,
                wirelessText);
  platform::DebugOutput(diagnostic);

  m_controller.RefreshStatus();

  if (!WirelessCounts()) {
    platform::WriteStandardOutput("Cannot find Wireless device.\n");
  } else if (wirelessValue == '1') {
    platform::DebugOutput("wireless == DEVICEOPENED");
    m_controller.SetWireless(1);
    platform::WriteStandardOutput("Enable Wireless feature.\n");
  } else {
    m_controller.SetWireless(0);
    platform::DebugOutput(kDisableWireless);
    platform::WriteStandardOutput(kDisableWireless);
  }

  // No fresh read: after a wireless switch this sees the byte its setter read.
  if (!BluetoothCounts()) {
    platform::WriteStandardOutput("Cannot find Bluetooth device.\n");
  } else if (bluetoothValue == '1') {
    m_controller.SetBluetooth(1);
    platform::WriteStandardOutput("Enable Bluetooth feature.\n");
  } else {
    m_controller.SetBluetooth(0);
    platform::WriteStandardOutput("Disable Bluetooth device.\n");
  }

  // A companion woken by the event finds both lines already written. A write failure here
  // shows again, and is reported, when the run finishes its output.
  platform::FlushStandardOutput(nullptr);
  return NotifyCompanion(error);
}
