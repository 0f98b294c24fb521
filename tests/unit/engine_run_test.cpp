#include "tests/support/engine_fixture.h"
#include "tests/support/expected_texts.h"

namespace {

constexpr char kReport[] = "Wireless feature is On.\nBluetooth feature is On.\n";
constexpr char kSwitchOn[] = "Enable Wireless feature.\nEnable Bluetooth feature.\n";

struct DispatchCase {
  const char *line;
  const char *output;
};

void PrintTo(const DispatchCase &c, std::ostream *os) { *os << '"' << c.line << '"'; }

class DispatchTest : public EngineTest, public testing::WithParamInterface<DispatchCase> {};

TEST_P(DispatchTest, RunsTheFirstActionOnlyAndAlwaysReleasesTheLibrary) {
  EXPECT_EQ(Run(GetParam().line), kExitSuccess);
  EXPECT_EQ(Output(), GetParam().output);
  EXPECT_EQ(System().loads, 1);
  EXPECT_EQ(System().releases, 1);
  EXPECT_TRUE(System().errorLines.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Lines, DispatchTest,
    testing::Values(DispatchCase{"", ""}, DispatchCase{"/skip ", ""},
                    DispatchCase{"hello world ", ""}, DispatchCase{"/? ", kUsageText},
                    DispatchCase{"/? /get ", kReport}, DispatchCase{"/get /set=11 ", kSwitchOn},
                    DispatchCase{"/set=11/get ", kSwitchOn}, DispatchCase{"x/get ", kReport},
                    DispatchCase{"/getall ", kReport}, DispatchCase{"x/? ", kUsageText},
                    DispatchCase{"/setting ", ""}, DispatchCase{"/get/set=11 ", kSwitchOn}));

struct ValueCase {
  const char *line;
  const char *diagnostic; // the first debugger line names the two values cut from the line
};

void PrintTo(const ValueCase &c, std::ostream *os) { *os << '"' << c.line << '"'; }

class SwitchingValuesTest : public EngineTest, public testing::WithParamInterface<ValueCase> {};

TEST_P(SwitchingValuesTest, CutsTheTwoBytesAfterTheFirstSet) {
  Run(GetParam().line);
  ASSERT_FALSE(System().debugOutput.empty());
  EXPECT_EQ(System().debugOutput[0], GetParam().diagnostic);
}

INSTANTIATE_TEST_SUITE_P(Lines, SwitchingValuesTest,
                         testing::Values(ValueCase{"/set=10 ", "bluetooth=0, wireless=1"},
                                         ValueCase{"/set=1 ", "bluetooth= , wireless=1"},
                                         ValueCase{"/set= ", "bluetooth=, wireless= "},
                                         ValueCase{"/set= 11 ", "bluetooth=1, wireless= "},
                                         ValueCase{"/set=11/get ", "bluetooth=1, wireless=1"},
                                         ValueCase{"/set=01 /set=10 ", "bluetooth=1, wireless=0"},
                                         ValueCase{"/get /set=x1 ", "bluetooth=1, wireless=x"},
                                         ValueCase{"/set=", "bluetooth=, wireless="}));

TEST_F(EngineTest, SkipMakesAbsentRadiosCountForTheReport) {
  Answer({0x13});
  Run("/get ");
  EXPECT_EQ(Output(), "Cannot find Wireless device.\nCannot find Bluetooth device.\n");
  Answer({0x13});
  Run("/skip /get ");
  EXPECT_EQ(Output(), kReport);
  // The flag is cleared at the start of every run.
  Answer({0x13});
  Run("/get ");
  EXPECT_EQ(Output(), "Cannot find Wireless device.\nCannot find Bluetooth device.\n");
}

TEST_F(EngineTest, OptionsNeverMatchFromTheSecondByteOfACharacter) {
  // In the fake's code page 0x81 starts a two-byte character, swallowing the slash after it.
  Run("\x81/get ");
  EXPECT_EQ(Output(), "");
  Run("\x81x/get ");
  EXPECT_EQ(Output(), kReport);
}

struct BindingFailureCase {
  const char *name;
  bool libraryLoads;
  const char *detail;
};

void PrintTo(const BindingFailureCase &c, std::ostream *os) { *os << c.name; }

class BindingFailureTest : public EngineTest,
                           public testing::WithParamInterface<BindingFailureCase> {};

TEST_P(BindingFailureTest, ShowsTheErrorAndRunsNothing) {
  System().libraryLoads = GetParam().libraryLoads;
  System().entryPoint = nullptr;
  for (const char *line : {"/? ", "/get ", "/set=11 ", ""}) {
    SCOPED_TRACE(line);
    System().errorBoxes.clear();
    EXPECT_EQ(Run(line), kExitFailure);
    EXPECT_EQ(Output(), "");
    EXPECT_TRUE(FakeTalv::Get().requests.empty());
    ASSERT_EQ(System().errorBoxes.size(), 1u);
    EXPECT_EQ(System().errorBoxes[0], std::string("TALV.dll ERROR!|") + GetParam().detail);
  }
  // A library that loaded but lacks its entry point is given back at once.
  EXPECT_EQ(System().releases, System().loads);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, BindingFailureTest,
    testing::Values(BindingFailureCase{"Missing", false,
                                       "TALV.dll: cannot open shared object file"},
                    BindingFailureCase{"NoEntryPoint", true, "undefined symbol: TALVEvaluate"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(EngineTest, AdoptsALoadedModuleAndResolvesItsEntryPoint) {
  System().moduleAlreadyLoaded = true;
  EXPECT_EQ(Run("/get "), kExitSuccess);
  EXPECT_EQ(Output(), kReport);
  EXPECT_EQ(Requests(), "R");
  EXPECT_EQ(System().loads, 0);
  EXPECT_EQ(System().releases, 0);
}

TEST_F(EngineTest, UsageTextIsExact) {
  engine.ShowUsage();
  EXPECT_EQ(Output(), kUsageText);
  EXPECT_TRUE(Requests().empty());
}

TEST_F(EngineTest, OnlySwitchingLooksForTheCompanion) {
  System().companionRunning = true;
  for (const char *line : {"/get ", "/? ", "", "/skip "})
    Run(line);
  EXPECT_EQ(System().windowLookups, 0);
  EXPECT_EQ(System().eventsSignalled, 0);
}

} // namespace
