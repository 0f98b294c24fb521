#include "tests/support/engine_fixture.h"

namespace {

struct ReportCase {
  int status; // -1: the library leaves the byte unwritten
  bool skip;
  const char *output;
};

void PrintTo(const ReportCase &c, std::ostream *os) {
  *os << "status " << c.status << (c.skip ? " /skip" : "");
}

class StatusReportTest : public EngineTest, public testing::WithParamInterface<ReportCase> {};

TEST_P(StatusReportTest, PrintsTwoLinesFromOneRead) {
  Answer({GetParam().status});
  Run(GetParam().skip ? "/get /skip " : "/get ");
  EXPECT_EQ(Output(), GetParam().output);
  EXPECT_EQ(Requests(), "R");
  EXPECT_TRUE(System().debugOutput.empty());
}

constexpr char kBothOn[] = "Wireless feature is On.\nBluetooth feature is On.\n";
constexpr char kBothOff[] = "Wireless feature is Off.\nBluetooth feature is Off.\n";
constexpr char kKillSwitch[] = "Kill Switch turns off.\nYou need to turn Kill Switch on.\n";
constexpr char kNeither[] = "Cannot find Wireless device.\nCannot find Bluetooth device.\n";

INSTANTIATE_TEST_SUITE_P(
    Statuses, StatusReportTest,
    testing::Values(
        ReportCase{0x1F, false, kBothOn}, ReportCase{0xFF, false, kBothOn},
        ReportCase{0x1C, false, kBothOff}, ReportCase{0xFC, false, kBothOff},
        ReportCase{0x0C, false, kKillSwitch}, ReportCase{0x0F, false, kKillSwitch},
        ReportCase{0x15, false, "Wireless feature is On.\nCannot find Bluetooth device.\n"},
        ReportCase{0x1A, false, "Cannot find Wireless device.\nBluetooth feature is On.\n"},
        ReportCase{0x13, false, kNeither}, ReportCase{0x13, true, kBothOn},
        ReportCase{0x00, true, kKillSwitch}, ReportCase{0x00, false, kNeither},
        ReportCase{-1, false, "Kill Switch turns off.\nCannot find Bluetooth device.\n"},
        ReportCase{-1, true, kKillSwitch}));

} // namespace
