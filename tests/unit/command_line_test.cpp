#include "app/command_line.h"
#include "tests/support/fake_platform.h"
#include "tests/support/fake_talv.h"

#include <gtest/gtest.h>

namespace {

struct JoinCase {
  std::vector<std::string> arguments; // after the program name
  std::string line;
};

void PrintTo(const JoinCase &c, std::ostream *os) { *os << c.arguments.size() << " arguments"; }

class JoinArgumentsTest : public testing::TestWithParam<JoinCase> {};

TEST_P(JoinArgumentsTest, FollowsEachArgumentWithOneSpace) {
  std::vector<const char *> argv = {"velmira"};
  for (const std::string &argument : GetParam().arguments)
    argv.push_back(argument.c_str());
  char line[kCommandLineLimit + 1];
  const std::size_t length = JoinArguments(static_cast<int>(argv.size()), argv.data(), line);
  EXPECT_EQ(length, GetParam().line.size());
  EXPECT_EQ(std::string(line), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, JoinArgumentsTest,
    testing::Values(JoinCase{{}, ""}, JoinCase{{"/GET", "/Skip"}, "/GET /Skip "},
                    JoinCase{{""}, " "}, JoinCase{{"", "/get"}, " /get "},
                    JoinCase{{"two words"}, "two words "},
                    JoinCase{{std::string(258, 'a')}, std::string(258, 'a') + " "},
                    JoinCase{{std::string(100, 'a'), std::string(157, 'b')},
                             std::string(100, 'a') + " " + std::string(157, 'b') + " "}));

TEST(JoinArgumentsTest, CountsTheWholeLengthOfALineTooLong) {
  const std::string longArgument(259, 'a');
  const char *argv[] = {"velmira", "/get", longArgument.c_str()};
  char line[kCommandLineLimit + 1];
  EXPECT_EQ(JoinArguments(3, argv, line), 265u);
  EXPECT_EQ(std::string(line), "") << "no part of a line too long may be used";
}

class ProgramTest : public testing::Test {
protected:
  void SetUp() override {
    FakePlatform::Reset();
    FakeTalv::Reset({0x1F});
    FakePlatform::Get().entryPoint = reinterpret_cast<void *>(&FakeTalvEvaluate);
  }
  static int Run(const std::vector<std::string> &arguments) {
    std::vector<const char *> argv = {"velmira"};
    for (const std::string &argument : arguments)
      argv.push_back(argument.c_str());
    return RunProgram(static_cast<int>(argv.size()), argv.data());
  }
};

TEST_F(ProgramTest, LowerCasesTheLineAndWritesItToTheDebuggerFirst) {
  EXPECT_EQ(Run({"/GET", "/Skip"}), kExitSuccess);
  ASSERT_FALSE(FakePlatform::Get().debugOutput.empty());
  EXPECT_EQ(FakePlatform::Get().debugOutput[0], "/get /skip ");
  EXPECT_EQ(FakePlatform::Get().standardOutput,
            "Wireless feature is On.\nBluetooth feature is On.\n");
}

TEST_F(ProgramTest, AnEmptyLineStillBindsTheLibrary) {
  EXPECT_EQ(Run({}), kExitSuccess);
  EXPECT_EQ(FakePlatform::Get().debugOutput, std::vector<std::string>{""});
  EXPECT_EQ(FakePlatform::Get().loads, 1);
  EXPECT_EQ(FakePlatform::Get().releases, 1);
  EXPECT_EQ(FakePlatform::Get().standardOutput, "");
}

TEST_F(ProgramTest, ALineOfExactlyTheLimitRuns) {
  // "/get " and 254 bytes: 259 with the separators.
  EXPECT_EQ(Run({"/get", std::string(253, 'a')}), kExitSuccess);
  EXPECT_EQ(FakeTalv::Sequence(), "R");
}

TEST_F(ProgramTest, ALineTooLongIsRefusedBeforeTheLibraryIsBound) {
  EXPECT_EQ(Run({"/get", std::string(254, 'a')}), kExitUsage);
  EXPECT_EQ(FakePlatform::Get().errorLines,
            std::vector<std::string>{"the command line is 260 characters long; the limit is 259"});
  EXPECT_EQ(FakePlatform::Get().loads, 0);
  EXPECT_TRUE(FakePlatform::Get().debugOutput.empty());
  EXPECT_TRUE(FakeTalv::Get().requests.empty());
}

TEST_F(ProgramTest, OutputThatCannotBeWrittenFailsTheRun) {
  FakePlatform::Get().outputFails = true;
  EXPECT_EQ(Run({"/get"}), kExitFailure);
  EXPECT_EQ(FakePlatform::Get().errorLines,
            std::vector<std::string>{"cannot write standard output: No space left on device"});
}

} // namespace
