#include "talv/rfkill/rfkill_state.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace {

rfkill_event Record(std::uint32_t idx, std::uint8_t type, std::uint8_t op, bool soft = false,
                    bool hard = false) {
  return rfkill_event{idx, type, op, static_cast<std::uint8_t>(soft),
                      static_cast<std::uint8_t>(hard)};
}

constexpr std::uint8_t kWlan = RFKILL_TYPE_WLAN;
constexpr std::uint8_t kBt = RFKILL_TYPE_BLUETOOTH;
constexpr std::uint8_t kAdd = RFKILL_OP_ADD;

struct DeviceCase {
  const char *name;
  std::vector<rfkill_event> records;
  std::uint8_t status;
};

void PrintTo(const DeviceCase &c, std::ostream *os) { *os << c.name; }

class DeviceSetTest : public testing::TestWithParam<DeviceCase> {};

TEST_P(DeviceSetTest, MapsTheDevicesToTheStatusByte) {
  rfkill::DeviceSet devices;
  for (const rfkill_event &record : GetParam().records)
    ASSERT_TRUE(devices.Apply(record));
  EXPECT_EQ(devices.StatusByte(), GetParam().status);
}

INSTANTIATE_TEST_SUITE_P(
    Sets, DeviceSetTest,
    testing::Values(
        DeviceCase{"None", {}, 0x10},
        DeviceCase{"BothOn", {Record(0, kWlan, kAdd), Record(1, kBt, kAdd)}, 0x1F},
        DeviceCase{"WirelessOnly", {Record(0, kWlan, kAdd)}, 0x15},
        DeviceCase{
            "BluetoothSoftBlocked", {Record(0, kWlan, kAdd), Record(1, kBt, kAdd, true)}, 0x1D},
        // One soft-blocked device of a type turns the radio off.
        DeviceCase{"OneOfTwoWirelessBlocked",
                   {Record(0, kWlan, kAdd), Record(2, kWlan, kAdd, true), Record(1, kBt, kAdd)},
                   0x1E},
        // Any hard block of either radio is the kill switch.
        DeviceCase{
            "HardBlocked", {Record(0, kWlan, kAdd, false, true), Record(1, kBt, kAdd)}, 0x0F},
        DeviceCase{"OtherTypesDoNotCount",
                   {Record(0, RFKILL_TYPE_UWB, kAdd, true, true), Record(1, kBt, kAdd)},
                   0x1A},
        DeviceCase{"ChangeUpdatesOneDevice",
                   {Record(0, kWlan, kAdd), Record(0, kWlan, RFKILL_OP_CHANGE, true)},
                   0x14},
        DeviceCase{"DeleteRemoves",
                   {Record(0, kWlan, kAdd), Record(1, kBt, kAdd), Record(0, kWlan, RFKILL_OP_DEL)},
                   0x1A},
        DeviceCase{"ChangeAllOfAType",
                   {Record(0, kWlan, kAdd, true), Record(3, kWlan, kAdd, true),
                    Record(1, kBt, kAdd), Record(0, kWlan, RFKILL_OP_CHANGE_ALL, false)},
                   0x1F},
        DeviceCase{"ChangeAllOfAllTypes",
                   {Record(0, kWlan, kAdd), Record(1, kBt, kAdd),
                    Record(0, RFKILL_TYPE_ALL, RFKILL_OP_CHANGE_ALL, true)},
                   0x1C}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(DeviceSetTest, RefusesARecordOfUnknownKind) {
  rfkill::DeviceSet devices;
  EXPECT_FALSE(devices.Apply(Record(0, kWlan, 7)));
}

struct SwitchCase {
  std::uint8_t current, wanted;
  std::vector<std::pair<std::uint8_t, std::uint8_t>> records; // type, soft
};

void PrintTo(const SwitchCase &c, std::ostream *os) {
  *os << std::hex << int(c.current) << " to " << int(c.wanted);
}

class SwitchRecordsTest : public testing::TestWithParam<SwitchCase> {};

TEST_P(SwitchRecordsTest, ChangesOnlyTheEnableBitsThatDiffer) {
  rfkill_event records[2];
  const std::size_t count = rfkill::SwitchRecords(GetParam().current, GetParam().wanted, records);
  std::vector<std::pair<std::uint8_t, std::uint8_t>> got;
  for (std::size_t i = 0; i < count; ++i) {
    EXPECT_EQ(records[i].op, RFKILL_OP_CHANGE_ALL);
    EXPECT_EQ(records[i].hard, 0);
    got.emplace_back(records[i].type, records[i].soft);
  }
  EXPECT_EQ(got, GetParam().records);
}

INSTANTIATE_TEST_SUITE_P(
    Writes, SwitchRecordsTest,
    testing::Values(SwitchCase{0x1F, 0x1F, {}}, SwitchCase{0x1F, 0x1D, {{kBt, 1}}},
                    SwitchCase{0x1C, 0x1D, {{kWlan, 0}}},
                    SwitchCase{0x1D, 0x1E, {{kWlan, 1}, {kBt, 0}}},
                    // Presence, kill switch and bits 5-7 are the hardware's: no record.
                    SwitchCase{0x1F, 0xE3, {}}, SwitchCase{0x10, 0x13, {{kWlan, 0}, {kBt, 0}}}));

} // namespace
