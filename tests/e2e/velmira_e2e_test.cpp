#include "tests/e2e/e2e_fixture.h"
#include "tests/support/expected_texts.h"

namespace {

struct RunCase {
  const char *name;
  std::vector<std::string> arguments;
  std::string reads;
  std::string output;
  std::vector<std::string> requests;
};

void PrintTo(const RunCase &c, std::ostream *os) { *os << c.name; }

class RunTest : public VelmiraProcessTest, public testing::WithParamInterface<RunCase> {};

TEST_P(RunTest, PrintsAndRequestsExactly) {
  Install();
  const RunCase &c = GetParam();
  const ProcessResult result = Velmira(c.arguments, c.reads);
  EXPECT_EQ(result.standardOutput, c.output);
  EXPECT_EQ(result.standardError, "");
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_EQ(Requests(), c.requests);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RunTest,
    testing::Values(
        RunCase{"Report",
                {"/get"},
                "1f",
                "Wireless feature is On.\nBluetooth feature is On.\n",
                {kReadRequest}},
        RunCase{"ReportMixedCase",
                {"/GeT"},
                "1c",
                "Wireless feature is Off.\nBluetooth feature is Off.\n",
                {kReadRequest}},
        RunCase{"ReportKillSwitch",
                {"/get"},
                "0f",
                "Kill Switch turns off.\nYou need to turn Kill Switch on.\n",
                {kReadRequest}},
        RunCase{"ReportSkip",
                {"/Skip", "/get"},
                "13",
                "Wireless feature is On.\nBluetooth feature is On.\n",
                {kReadRequest}},
        RunCase{"ReportUnanswered",
                {"/get"},
                "-",
                "Kill Switch turns off.\nCannot find Bluetooth device.\n",
                {kReadRequest}},
        RunCase{"SwitchWirelessOn",
                {"/set=10"},
                "1f",
                "Enable Wireless feature.\nDisable Bluetooth device.\n",
                {kReadRequest, kReadRequest, WriteRequest("1f"), kReadRequest, WriteRequest("1d")}},
        RunCase{"SwitchBluetoothOn",
                {"/set=01"},
                "1d,1d,1c",
                "Disable Wireless device.\nEnable Bluetooth feature.\n",
                {kReadRequest, kReadRequest, WriteRequest("1c"), kReadRequest, WriteRequest("1e")}},
        RunCase{"SwitchNothingFound",
                {"/set=11"},
                "00",
                "Cannot find Wireless device.\nCannot find Bluetooth device.\n",
                {kReadRequest}},
        RunCase{"SwitchUnanswered",
                {"/set=11"},
                "-",
                "Enable Wireless feature.\nCannot find Bluetooth device.\n",
                {kReadRequest, kReadRequest, WriteRequest("67")}},
        RunCase{"SwitchSplitArguments",
                {"/set=", "11"},
                "1f",
                "Disable Wireless device.\nEnable Bluetooth feature.\n",
                {kReadRequest, kReadRequest, WriteRequest("1e"), kReadRequest, WriteRequest("1f")}},
        RunCase{"Usage", {"/?"}, "1f", kUsageText, {}},
        RunCase{"UsageLosesToReport",
                {"/?", "/get"},
                "1f",
                "Wireless feature is On.\nBluetooth feature is On.\n",
                {kReadRequest}},
        RunCase{"NoArguments", {}, "1f", "", {}},
        RunCase{"NoOption", {"/setting", "/skip"}, "1f", "", {}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(VelmiraProcessTest, IgnoresTheLibrarysResult) {
  Install();
  ProcessOptions options;
  options.environment.emplace("TALV_RECORDER_RESULT", "-5");
  const ProcessResult result = Velmira({"/get"}, "1f", options);
  EXPECT_EQ(result.standardOutput, "Wireless feature is On.\nBluetooth feature is On.\n");
  EXPECT_EQ(result.exitStatus, 0);
}

TEST_F(VelmiraProcessTest, AMissingLibraryFailsEveryCommandLine) {
  Install("");
  for (const std::vector<std::string> &arguments :
       std::vector<std::vector<std::string>>{{"/get"}, {"/set=11"}, {"/?"}, {}}) {
    SCOPED_TRACE(arguments.empty() ? "(none)" : arguments[0]);
    const ProcessResult result = Velmira(arguments);
    EXPECT_EQ(result.standardOutput, "");
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_TRUE(result.standardError.starts_with("velmira: TALV.dll ERROR!\nTALV.dll: "))
        << result.standardError;
  }
}

TEST_F(VelmiraProcessTest, ALibraryWithoutTheEntryPointFails) {
  Install(VELMIRA_NO_ENTRY_LIB);
  const ProcessResult result = Velmira({"/get"});
  EXPECT_EQ(result.standardOutput, "");
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_TRUE(result.standardError.starts_with("velmira: TALV.dll ERROR!\n"));
  EXPECT_NE(result.standardError.find("TALVEvaluate"), std::string::npos) << result.standardError;
}

TEST_F(VelmiraProcessTest, NeverLoadsTheLibraryFromTheCurrentDirectory) {
  Install("");
  TemporaryDirectory workingDirectory;
  CopyFile(VELMIRA_RECORDER_LIB, workingDirectory / "TALV.dll");
  ProcessOptions options;
  options.workingDirectory = workingDirectory.path();
  const ProcessResult result = Velmira({"/get"}, "1f", options);
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_TRUE(Requests().empty());
}

TEST_F(VelmiraProcessTest, LibraryPathOverridesTheLibraryBesideTheProgram) {
  Install();
  TemporaryDirectory overrideDirectory;
  CopyFile(VELMIRA_NO_ENTRY_LIB, overrideDirectory / "TALV.dll");
  ProcessOptions options;
  options.environment["LD_LIBRARY_PATH"] = overrideDirectory.path();
  // Velmira() removes only variables the options do not set.
  const ProcessResult result = Velmira({"/get"}, "1f", options);
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_NE(result.standardError.find("TALVEvaluate"), std::string::npos);
}

TEST_F(VelmiraProcessTest, AdoptsALibraryAlreadyInTheProcess) {
  if (VELMIRA_STATIC_PROGRAM)
    GTEST_SKIP() << "a static program takes no preloaded library";
  Install("");
  ProcessOptions options;
  options.environment["LD_PRELOAD"] = VELMIRA_RECORDER_LIB;
  // Under AddressSanitizer the preloaded library comes before its run time, which it allows.
  options.environment["ASAN_OPTIONS"] = "verify_asan_link_order=0";
  const ProcessResult result = Velmira({"/get"}, "1c", options);
  EXPECT_EQ(result.standardOutput, "Wireless feature is Off.\nBluetooth feature is Off.\n");
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_EQ(Requests(), std::vector<std::string>{kReadRequest});
}

TEST_F(VelmiraProcessTest, ACommandLineOfTheLimitRunsAndOneLongerIsRefused) {
  Install();
  // "/get " plus an argument and its space: 259 bytes in all.
  ProcessResult result = Velmira({"/get", std::string(253, 'x')});
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_EQ(result.standardOutput, "Wireless feature is On.\nBluetooth feature is On.\n");

  std::remove(LogPath().c_str());
  result = Velmira({"/get", std::string(254, 'x')});
  EXPECT_EQ(result.exitStatus, 2);
  EXPECT_EQ(result.standardOutput, "");
  EXPECT_EQ(result.standardError,
            "velmira: the command line is 260 characters long; the limit is 259\n");
  EXPECT_TRUE(Requests().empty());
}

TEST_F(VelmiraProcessTest, OutputThatCannotBeWrittenIsAFailure) {
  Install();
  ProcessOptions options;
  options.standardOutputFile = "/dev/full";
  const ProcessResult result = Velmira({"/get"}, "1f", options);
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_EQ(result.standardError,
            "velmira: cannot write standard output: No space left on device\n");
}

TEST_F(VelmiraProcessTest, TheErrorTitleIsTheProgramsFileName) {
  CopyFile(VELMIRA_EXE, directory / "radios.bin");
  ProcessOptions options;
  options.environment["LD_LIBRARY_PATH"] = std::nullopt;
  const ProcessResult result = RunProcess(directory / "radios.bin", {"/get"}, options);
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_TRUE(result.standardError.starts_with("radios: TALV.dll ERROR!\n"))
      << result.standardError;
}

} // namespace
