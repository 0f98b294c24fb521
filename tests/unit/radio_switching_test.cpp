#include "tests/support/engine_fixture.h"

namespace {

constexpr char kEnableWireless[] = "Enable Wireless feature.\n";
constexpr char kDisableWireless[] = "Disable Wireless device.\n";
constexpr char kNoWireless[] = "Cannot find Wireless device.\n";
constexpr char kEnableBluetooth[] = "Enable Bluetooth feature.\n";
constexpr char kDisableBluetooth[] = "Disable Bluetooth device.\n";
constexpr char kNoBluetooth[] = "Cannot find Bluetooth device.\n";

struct SwitchCase {
  const char *line;
  std::vector<int> reads;
  std::string output;
  const char *requests; // R: read; Wxx: write of byte xx
};

void PrintTo(const SwitchCase &c, std::ostream *os) {
  *os << c.line << "reads " << c.reads.front();
}

class RadioSwitchingTest : public EngineTest, public testing::WithParamInterface<SwitchCase> {};

TEST_P(RadioSwitchingTest, SwitchesEachPresentRadio) {
  const SwitchCase &c = GetParam();
  Answer(c.reads);
  System().companionRunning = true;
  EXPECT_EQ(Run(c.line), kExitSuccess);
  EXPECT_EQ(Output(), c.output);
  EXPECT_EQ(Requests(), c.requests);
  // The companion is told on every path, after both lines are written.
  EXPECT_EQ(System().eventsSignalled, 1);
  EXPECT_EQ(System().standardOutputAtSignal, c.output);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RadioSwitchingTest,
    testing::Values(
        SwitchCase{
            "/set=11 ", {0x1F}, std::string(kEnableWireless) + kEnableBluetooth, "R R W1f R W1f"},
        SwitchCase{
            "/set=00 ", {0x1F}, std::string(kDisableWireless) + kDisableBluetooth, "R R W1e R W1d"},
        SwitchCase{
            "/set=10 ", {0x1F}, std::string(kEnableWireless) + kDisableBluetooth, "R R W1f R W1d"},
        // Each setter builds its byte from its own fresh read.
        SwitchCase{
            "/set=01 ", {0x1D}, std::string(kDisableWireless) + kEnableBluetooth, "R R W1c R W1f"},
        SwitchCase{"/set=01 ",
                   {0x1D, 0x1D, 0x1C},
                   std::string(kDisableWireless) + kEnableBluetooth,
                   "R R W1c R W1e"},
        SwitchCase{
            "/set=21 ", {0x1D}, std::string(kDisableWireless) + kEnableBluetooth, "R R W1c R W1f"},
        SwitchCase{
            "/set=x1 ", {0x1D}, std::string(kDisableWireless) + kEnableBluetooth, "R R W1c R W1f"},
        SwitchCase{
            "/set=1 ", {0x1F}, std::string(kEnableWireless) + kDisableBluetooth, "R R W1f R W1d"},
        SwitchCase{
            "/set= ", {0x1F}, std::string(kDisableWireless) + kDisableBluetooth, "R R W1e R W1d"},
        // The kill switch plays no part.
        SwitchCase{
            "/set=11 ", {0x0C}, std::string(kEnableWireless) + kEnableBluetooth, "R R W0d R W0e"},
        SwitchCase{"/set=11 ", {0x00}, std::string(kNoWireless) + kNoBluetooth, "R"},
        SwitchCase{"/set=11 /skip ",
                   {0x00},
                   std::string(kEnableWireless) + kEnableBluetooth,
                   "R R W01 R W02"},
        SwitchCase{"/set=11 ", {0x18}, std::string(kNoWireless) + kEnableBluetooth, "R R W1a"},
        // The Bluetooth test sees the byte that the wireless setter read.
        SwitchCase{"/set=11 ",
                   {0x04, 0x0C},
                   std::string(kEnableWireless) + kEnableBluetooth,
                   "R R W0d R W0e"},
        SwitchCase{
            "/set=11 ", {0x0C, 0x04}, std::string(kEnableWireless) + kNoBluetooth, "R R W05"},
        // A library that never answers leaves the 0x66 preset to build on.
        SwitchCase{"/set=11 ", {-1}, std::string(kEnableWireless) + kNoBluetooth, "R R W67"},
        SwitchCase{"/set=11 /skip ",
                   {-1},
                   std::string(kEnableWireless) + kEnableBluetooth,
                   "R R W67 R W66"},
        SwitchCase{"/set=00 /skip ",
                   {-1},
                   std::string(kDisableWireless) + kDisableBluetooth,
                   "R R W66 R W64"}));

struct DiagnosticCase {
  const char *line;
  std::vector<std::string> debugOutput;
};

void PrintTo(const DiagnosticCase &c, std::ostream *os) { *os << c.line; }

class SwitchingDiagnosticsTest : public EngineTest,
                                 public testing::WithParamInterface<DiagnosticCase> {};

TEST_P(SwitchingDiagnosticsTest, WritesTheValuesAndTheWirelessBranch) {
  Run(GetParam().line);
  EXPECT_EQ(System().debugOutput, GetParam().debugOutput);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SwitchingDiagnosticsTest,
    testing::Values(
        DiagnosticCase{"/set=11 ", {"bluetooth=1, wireless=1", "wireless == DEVICEOPENED"}},
        DiagnosticCase{"/set=00 ", {"bluetooth=0, wireless=0", "Disable Wireless device.\n"}},
        DiagnosticCase{"/set=10 ", {"bluetooth=0, wireless=1", "wireless == DEVICEOPENED"}},
        DiagnosticCase{"/set=01 ", {"bluetooth=1, wireless=0", "Disable Wireless device.\n"}}));

TEST_F(EngineTest, WithoutTheCompanionNoEventIsOpened) {
  EXPECT_EQ(Run("/set=11 "), kExitSuccess);
  EXPECT_EQ(System().windowLookups, 1);
  EXPECT_EQ(System().windowClassAsked, "VelmiraClass");
  EXPECT_EQ(System().eventsOpened, 0);
}

TEST_F(EngineTest, SignalsTheNamedEventWhenTheCompanionRuns) {
  System().companionRunning = true;
  EXPECT_EQ(Run("/set=00 "), kExitSuccess);
  EXPECT_EQ(System().eventNameAsked, "VelmiraNotifyEvent");
  EXPECT_EQ(System().eventsOpened, 1);
  EXPECT_EQ(System().eventsSignalled, 1);
}

TEST_F(EngineTest, AnEventThatCannotBeOpenedFailsTheRunAfterTheWrites) {
  System().companionRunning = true;
  System().eventFails = true;
  EXPECT_EQ(Run("/set=11 "), kExitFailure);
  EXPECT_EQ(Output(), std::string(kEnableWireless) + kEnableBluetooth);
  EXPECT_EQ(Requests(), "R R W1f R W1f");
  EXPECT_EQ(System().errorLines,
            std::vector<std::string>{"cannot create or open the event VelmiraNotifyEvent: the "
                                     "name is held by an object of another kind"});
  EXPECT_EQ(System().releases, 1);
}

} // namespace
