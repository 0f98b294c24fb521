// velmira with the rfkill library on fake device files: the records the kernel would serve, and
// the records that a switch appends.
#include "tests/e2e/e2e_fixture.h"

#include <linux/rfkill.h>
#include <sys/stat.h>

namespace {

std::string Record(std::uint32_t idx, std::uint8_t type, std::uint8_t op, bool soft = false,
                   bool hard = false) {
  const rfkill_event record{idx, type, op, static_cast<std::uint8_t>(soft),
                            static_cast<std::uint8_t>(hard)};
  return std::string(reinterpret_cast<const char *>(&record), sizeof record);
}

std::string Wlan(std::uint32_t idx, bool soft = false, bool hard = false) {
  return Record(idx, RFKILL_TYPE_WLAN, RFKILL_OP_ADD, soft, hard);
}
std::string Bluetooth(std::uint32_t idx, bool soft = false, bool hard = false) {
  return Record(idx, RFKILL_TYPE_BLUETOOTH, RFKILL_OP_ADD, soft, hard);
}

class RfkillTest : public VelmiraProcessTest {
protected:
  void SetUp() override { Install(VELMIRA_RFKILL_LIB); }

  ProcessResult Run(const std::vector<std::string> &arguments) {
    ProcessOptions options;
    options.environment["TALV_RFKILL_DEVICE"] = Device();
    return Velmira(arguments, "", options);
  }
  std::string Device() const { return directory / "rfkill"; }
};

struct ReportCase {
  const char *name;
  std::string records;
  const char *output;
};

void PrintTo(const ReportCase &c, std::ostream *os) { *os << c.name; }

class RfkillReportTest : public RfkillTest, public testing::WithParamInterface<ReportCase> {};

TEST_P(RfkillReportTest, ReportsTheDevices) {
  WriteFile(Device(), GetParam().records);
  const ProcessResult result = Run({"/get"});
  EXPECT_EQ(result.standardOutput, GetParam().output);
  EXPECT_EQ(result.standardError, "");
  EXPECT_EQ(result.exitStatus, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Devices, RfkillReportTest,
    testing::Values(ReportCase{"BothOn", Wlan(0) + Bluetooth(1),
                               "Wireless feature is On.\nBluetooth feature is On.\n"},
                    ReportCase{"BluetoothBlocked", Wlan(0) + Bluetooth(1, true),
                               "Wireless feature is On.\nBluetooth feature is Off.\n"},
                    ReportCase{"HardBlocked", Wlan(0, false, true) + Bluetooth(1),
                               "Kill Switch turns off.\nYou need to turn Kill Switch on.\n"},
                    ReportCase{"WirelessOnly", Wlan(0),
                               "Wireless feature is On.\nCannot find Bluetooth device.\n"},
                    ReportCase{"NoDevices", "",
                               "Cannot find Wireless device.\nCannot find Bluetooth device.\n"},
                    ReportCase{"Removed", Wlan(0) + Bluetooth(1) + Record(1, 2, RFKILL_OP_DEL),
                               "Wireless feature is On.\nCannot find Bluetooth device.\n"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(RfkillTest, SwitchingAppendsOneRecordPerRadioThatChanges) {
  const std::string devices = Wlan(0, true) + Bluetooth(1);
  WriteFile(Device(), devices);

  ProcessResult result = Run({"/set=10"});
  EXPECT_EQ(result.standardOutput, "Enable Wireless feature.\nDisable Bluetooth device.\n");
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_EQ(ReadFile(Device()), devices + Record(0, RFKILL_TYPE_WLAN, RFKILL_OP_CHANGE_ALL, false) +
                                    Record(0, RFKILL_TYPE_BLUETOOTH, RFKILL_OP_CHANGE_ALL, true));
  EXPECT_EQ(Run({"/get"}).standardOutput, "Wireless feature is On.\nBluetooth feature is Off.\n");

  // Switching to the state they have appends nothing.
  const std::string before = ReadFile(Device());
  EXPECT_EQ(Run({"/set=10"}).exitStatus, 0);
  EXPECT_EQ(ReadFile(Device()), before);

  result = Run({"/set=01"});
  EXPECT_EQ(result.standardOutput, "Disable Wireless device.\nEnable Bluetooth feature.\n");
  EXPECT_EQ(Run({"/get"}).standardOutput, "Wireless feature is Off.\nBluetooth feature is On.\n");
}

TEST_F(RfkillTest, AMissingDeviceNodeMeansNoRadios) {
  const ProcessResult result = Run({"/set=11"});
  EXPECT_EQ(result.standardOutput, "Cannot find Wireless device.\nCannot find Bluetooth device.\n");
  EXPECT_EQ(result.standardError, "");
  EXPECT_FALSE(FileExists(Device()));
}

TEST_F(RfkillTest, ADeviceItCannotReadIsReported) {
  mkdir(Device().c_str(), 0755); // read() on a directory fails
  const ProcessResult result = Run({"/get"});
  // The read stays unanswered: velmira shows its 0x66 preset.
  EXPECT_EQ(result.standardOutput, "Kill Switch turns off.\nCannot find Bluetooth device.\n");
  EXPECT_EQ(result.standardError,
            "TALV.dll (rfkill): " + Device() + ": cannot read: Is a directory\n");
}

TEST_F(RfkillTest, ADevicePathTooLongIsReported) {
  ProcessOptions options;
  options.environment["TALV_RFKILL_DEVICE"] = directory / std::string(5000, 'r');
  const ProcessResult result = Velmira({"/get"}, "", options);
  EXPECT_EQ(result.standardOutput, "Kill Switch turns off.\nCannot find Bluetooth device.\n");
  EXPECT_EQ(result.standardError, "TALV.dll (rfkill): TALV_RFKILL_DEVICE is too long\n");
}

TEST_F(RfkillTest, AMalformedDeviceIsReported) {
  WriteFile(Device(), Wlan(0) + "abc");
  ProcessResult result = Run({"/get"});
  EXPECT_EQ(result.standardError,
            "TALV.dll (rfkill): " + Device() + ": short read: not a whole rfkill record\n");
  WriteFile(Device(), Record(0, RFKILL_TYPE_WLAN, 9));
  result = Run({"/get"});
  EXPECT_EQ(result.standardError,
            "TALV.dll (rfkill): " + Device() + ": unexpected rfkill record\n");
}

} // namespace
