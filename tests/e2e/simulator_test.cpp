// The simulator library: state kept in a file between runs, as hardware keeps it.
#include "talv/sim/sim_state.h"
#include "tests/e2e/e2e_fixture.h"

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

TEST_F(SimulatorTest, DefaultsToAFileInTheRuntimeDirectory) {
  ProcessOptions options;
  options.environment["LD_LIBRARY_PATH"] = SimulatorDirectory();
  options.environment["TALV_SIM_STATE"] = std::nullopt;
  options.environment["XDG_RUNTIME_DIR"] = directory.path();
  EXPECT_EQ(Velmira({"/set=01"}, "", options).exitStatus, 0);
  EXPECT_EQ(ReadFile(directory / "talv-sim.state"), "1e\n");
}

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
