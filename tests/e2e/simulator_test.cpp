// The simulator library: state kept in a file between runs, as hardware keeps it.
#include "talv/sim/sim_state.h"
#include "tests/e2e/e2e_fixture.h"

#include <optional>
#include <ostream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class SimulatorTest : public VelmiraProcessTest {
protected:
  void SetUp() override { Install(""); }

  ProcessResult Run(const std::vector<std::string> &arguments) {
    ProcessOptions options;
    options.environment["LD_LIBRARY_PATH"] = SimulatorDirectory();
    options.environment["TALV_SIM_STATE"] = StatePath();
    return Velmira(arguments, "", options);
  }

  static std::string SimulatorDirectory() {
    const std::string library = VELMIRA_SIM_LIB;
    return library.substr(0, library.rfind('/'));
  }
  std::string StatePath() const { return directory / "state"; }
};

TEST_F(SimulatorTest, KeepsTheStatusBetweenRuns) {
  EXPECT_EQ(Run({"/get"}).standardOutput, "Wireless feature is On.\nBluetooth feature is On.\n");
  EXPECT_EQ(Run({"/set=10"}).standardOutput,
            "Enable Wireless feature.\nDisable Bluetooth device.\n");
  EXPECT_EQ(ReadFile(StatePath()), "1d\n");
  EXPECT_EQ(Run({"/get"}).standardOutput, "Wireless feature is On.\nBluetooth feature is Off.\n");
}

TEST_F(SimulatorTest, WritesChangeTheEnableBitsOnly) {
  WriteFile(StatePath(), "ec\n");
  EXPECT_EQ(Run({"/set=11"}).exitStatus, 0);
  EXPECT_EQ(ReadFile(StatePath()), "ef\n");
  WriteFile(StatePath(), "0C"); // edited by hand: upper case, no line break
  EXPECT_EQ(Run({"/get"}).standardOutput,
            "Kill Switch turns off.\nYou need to turn Kill Switch on.\n");
}

TEST_F(SimulatorTest, AStateItCannotParseIsReportedAndLeavesTheReadUnanswered) {
  WriteFile(StatePath(), "radio\n");
  const ProcessResult result = Run({"/get"});
  EXPECT_EQ(result.standardOutput, "Kill Switch turns off.\nCannot find Bluetooth device.\n");
  EXPECT_EQ(result.standardError, "TALV.dll (simulator): " + StatePath() +
                                      ": not a status (two hex digits and a line break)\n");
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_EQ(ReadFile(StatePath()), "radio\n");
}

TEST_F(SimulatorTest, APathTooLongIsReportedAndLeavesTheReadUnanswered) {
  ProcessOptions options;
  options.environment["LD_LIBRARY_PATH"] = SimulatorDirectory();
  options.environment["TALV_SIM_STATE"] = directory / std::string(5000, 's');
  const ProcessResult result = Velmira({"/get"}, "", options);
  EXPECT_EQ(result.standardOutput, "Kill Switch turns off.\nCannot find Bluetooth device.\n");
  EXPECT_EQ(result.standardError, "TALV.dll (simulator): the state file's path is too long\n");
  EXPECT_EQ(result.exitStatus, 0);
}

// Where the state file is when TALV_SIM_STATE, XDG_RUNTIME_DIR and TMPDIR are as given ("@" is
// the test's directory; unset where empty optional).
struct StatePathCase {
  const char *name;
  std::optional<std::string> state, runtime, temporary;
  std::string file;
};

void PrintTo(const StatePathCase &c, std::ostream *os) { *os << c.name; }

class StatePathTest : public SimulatorTest, public testing::WithParamInterface<StatePathCase> {
protected:
  std::optional<std::string> Expand(std::optional<std::string> text) const {
    if (text && text->starts_with("@"))
      text->replace(0, 1, directory.path());
    return text;
  }
};

TEST_P(StatePathTest, SwitchesTheRadiosInTheFileTheEnvironmentNames) {
  const StatePathCase &c = GetParam();
  ProcessOptions options;
  options.environment["LD_LIBRARY_PATH"] = SimulatorDirectory();
  options.environment["TALV_SIM_STATE"] = Expand(c.state);
  options.environment["XDG_RUNTIME_DIR"] = Expand(c.runtime);
  options.environment["TMPDIR"] = Expand(c.temporary);
  EXPECT_EQ(Velmira({"/set=01"}, "", options).exitStatus, 0);
  std::string file = *Expand(c.file);
  if (const auto uid = file.find("<uid>"); uid != std::string::npos)
    file.replace(uid, 5, std::to_string(getuid()));
  EXPECT_EQ(ReadFile(file), "1e\n");
}

INSTANTIATE_TEST_SUITE_P(
    Environments, StatePathTest,
    testing::Values(
        StatePathCase{"Explicit", "@/explicit", "@/runtime", "@", "@/explicit"},
        StatePathCase{"RuntimeDirectory", std::nullopt, "@", "@/tmp", "@/talv-sim.state"},
        StatePathCase{"EmptyExplicitIsUnset", "", "@", std::nullopt, "@/talv-sim.state"},
        StatePathCase{"TemporaryDirectory", std::nullopt, std::nullopt, "@",
                      "@/talv-sim-<uid>.state"},
        StatePathCase{"EmptyRuntimeIsUnset", std::nullopt, "", "@", "@/talv-sim-<uid>.state"}));

TEST(SimulatorStateTest, ConcurrentUpdatesLoseNothing) {
  TemporaryDirectory directory;
  const std::string path = directory / "state";
  // Two processes flip one bit each many times; a lost update would leave a bit cleared.
  pid_t children[2];
  for (int bit = 0; bit < 2; ++bit) {
    children[bit] = fork();
    if (children[bit] == 0) {
      sim::Failure failure;
      const auto mask = static_cast<std::uint8_t>(1 << bit);
      bool ok = true;
      for (int i = 0; i < 400 && ok; ++i)
        ok = sim::UpdateState(path.c_str(), i % 2 == 0 ? 0 : mask, mask, &failure);
      _exit(ok ? 0 : 1);
    }
  }
  for (pid_t child : children) {
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
  }
  EXPECT_EQ(ReadFile(path), "1f\n");
}

} // namespace
