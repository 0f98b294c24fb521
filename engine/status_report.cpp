#include "engine/cmd_engine.h"

void VelmiraCmdEngine::ReportStatus() {
  m_controller.RefreshStatus();

  if (!WirelessCounts())
    platform::WriteStandardOutput("Cannot find Wireless device.\n");
  else if (m_controller.IsKillSwitchOn() == 0)
    platform::WriteStandardOutput("Kill Switch turns off.\n");
  else if (m_controller.IsWirelessOn() == 1)
    platform::WriteStandardOutput("Wireless feature is On.\n");
  else
    platform::WriteStandardOutput("Wireless feature is Off.\n");

  if (!BluetoothCounts())
    platform::WriteStandardOutput("Cannot find Bluetooth device.\n");
  else if (m_controller.IsKillSwitchOn() == 0)
    platform::WriteStandardOutput("You need to turn Kill Switch on.\n");
  else if (m_controller.IsBluetoothOn() == 1)
    platform::WriteStandardOutput("Bluetooth feature is On.\n");
  else
    platform::WriteStandardOutput("Bluetooth feature is Off.\n");
}
