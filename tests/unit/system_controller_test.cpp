#include "hardware/hardware_library.h"
#include "hardware/system_controller.h"
#include "tests/support/fake_talv.h"

#include <gtest/gtest.h>

namespace {

struct PredicateCase {
  std::vector<int> reads; // the last read decides
  int wirelessOn, bluetoothOn, wirelessPresent, bluetoothPresent, killSwitchOn;
};

void PrintTo(const PredicateCase &c, std::ostream *os) { *os << "last read " << c.reads.back(); }

class PredicateTest : public testing::TestWithParam<PredicateCase> {};

TEST_P(PredicateTest, AnswersFromTheByteReadLast) {
  const PredicateCase &c = GetParam();
  FakeTalv::Reset(c.reads);
  SystemController controller;
  for (std::size_t i = 0; i < c.reads.size(); ++i)
    controller.RefreshStatus();
  const std::size_t requestsAfterReads = FakeTalv::Get().requests.size();

  EXPECT_EQ(controller.IsWirelessOn(), c.wirelessOn);
  EXPECT_EQ(controller.IsBluetoothOn(), c.bluetoothOn);
  EXPECT_EQ(controller.IsWirelessPresent(), c.wirelessPresent);
  EXPECT_EQ(controller.IsBluetoothPresent(), c.bluetoothPresent);
  EXPECT_EQ(controller.IsKillSwitchOn(), c.killSwitchOn);
  EXPECT_EQ(FakeTalv::Get().requests.size(), requestsAfterReads) << "predicates sent a request";
}

INSTANTIATE_TEST_SUITE_P(
    Statuses, PredicateTest,
    testing::Values(PredicateCase{{0x1F}, 1, 1, 1, 1, 1}, PredicateCase{{0x00}, 0, 0, 0, 0, 0},
                    PredicateCase{{0xE0}, 0, 0, 0, 0, 0}, PredicateCase{{0xFF}, 1, 1, 1, 1, 1},
                    PredicateCase{{0x15}, 1, 0, 1, 0, 1},
                    // A read the library leaves unanswered shows the 0x66 preset, even after
                    // an earlier read delivered another byte.
                    PredicateCase{{0x1F, -1}, 0, 1, 1, 0, 0}));

TEST(SystemControllerTest, ReadSendsTheStatusReadRequest) {
  FakeTalv::Reset({0x1C});
  SystemController controller;
  controller.RefreshStatus();

  ASSERT_EQ(FakeTalv::Get().requests.size(), 1u);
  const RecordedRequest &read = FakeTalv::Get().requests[0];
  EXPECT_EQ(read.functionCode, 0xB0);
  EXPECT_EQ(read.input, (std::vector<std::uint8_t>{0xBB}));
  EXPECT_NE(read.pOutput, nullptr);
  EXPECT_EQ(read.outputLength, 1u);
  EXPECT_EQ(controller.Status(), 0x1C);
}

struct SetterCase {
  bool wireless; // else Bluetooth
  int on;
  int read;
  std::uint8_t written;
};

void PrintTo(const SetterCase &c, std::ostream *os) {
  *os << (c.wireless ? "wireless " : "bluetooth ") << c.on << " on " << c.read;
}

class SetterTest : public testing::TestWithParam<SetterCase> {};

TEST_P(SetterTest, ReadsThenWritesOneBitChanged) {
  const SetterCase &c = GetParam();
  FakeTalv::Reset({c.read});
  SystemController controller;
  if (c.wireless)
    controller.SetWireless(c.on);
  else
    controller.SetBluetooth(c.on);

  const auto &requests = FakeTalv::Get().requests;
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].functionCode, 0xB0);
  EXPECT_EQ(requests[1].functionCode, 0xB1);
  EXPECT_EQ(requests[1].input, (std::vector<std::uint8_t>{0xBB, c.written}));
  EXPECT_EQ(requests[1].pOutput, nullptr);
  EXPECT_EQ(requests[1].outputLength, 0u);
  // The controller keeps the byte it read, not the one it wrote.
  EXPECT_EQ(controller.Status(), c.read < 0 ? 0x66 : c.read);
}

INSTANTIATE_TEST_SUITE_P(
    Writes, SetterTest,
    testing::Values(SetterCase{true, 1, 0x1C, 0x1D}, SetterCase{true, 0, 0x1D, 0x1C},
                    SetterCase{false, 1, 0x1C, 0x1E}, SetterCase{false, 0, 0xFF, 0xFD},
                    SetterCase{true, 1, 0xE4, 0xE5},  // bits 5 to 7 travel back
                    SetterCase{true, 1, 0x1D, 0x1D},  // written although nothing changes
                    SetterCase{false, 2, 0x1C, 0x1E}, // any value but 0 enables
                    SetterCase{true, 1, -1, 0x67}));  // built from the unanswered preset

TEST(SystemControllerTest, SendsNothingWithoutAnEntryPoint) {
  FakeTalv::Reset();
  g_pfnEvaluate = nullptr;
  SystemController controller;
  controller.RefreshStatus();
  controller.SetWireless(1);

  EXPECT_TRUE(FakeTalv::Get().requests.empty());
  EXPECT_EQ(controller.Status(), 0x66);
}

TEST(SystemControllerTest, IgnoresTheLibrarysResult) {
  FakeTalv::Reset({0x1F});
  FakeTalv::Get().result = -1;
  SystemController controller;
  controller.RefreshStatus();
  EXPECT_EQ(controller.Status(), 0x1F);
}

} // namespace
