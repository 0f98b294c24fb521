// The Linux TALV libraries' own system services and text: what they would otherwise take from
// the C library, checked against it.
#include "talv/common/text.h"
#include "talv/linux/system.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <sys/file.h>
#include <unistd.h>
#include <vector>

namespace {

namespace sys = talv::sys;

TEST(ConcatenateTest, FillsTheBufferExactlyOrCutsShort) {
  char buffer[6];
  EXPECT_TRUE(talv::Concatenate(buffer, sizeof buffer, {"ab", "", "cde"}));
  EXPECT_STREQ(buffer, "abcde");
  EXPECT_FALSE(talv::Concatenate(buffer, sizeof buffer, {"abc", "def"}));
  EXPECT_STREQ(buffer, "abcde");
  EXPECT_TRUE(talv::Concatenate(buffer, sizeof buffer, {}));
  EXPECT_STREQ(buffer, "");
}

TEST(DecimalTest, WritesEveryDigit) {
  EXPECT_STREQ(talv::Decimal(0).c_str(), "0");
  EXPECT_STREQ(talv::Decimal(1000).c_str(), "1000");
  EXPECT_STREQ(talv::Decimal(ULONG_MAX).c_str(), std::to_string(ULONG_MAX).c_str());
}

TEST(DescribeTest, WordsErrorsAsTheCLibraryDoes) {
  // Every error is either described word for word as strerror does, or left as a number.
  for (int error = 1; error < 200; ++error) {
    const std::string described = sys::Describe(error).text;
    if (described != "Unknown error " + std::to_string(error)) {
      EXPECT_EQ(described, std::strerror(error)) << "error " << error;
    }
  }
  EXPECT_STREQ(sys::Describe(EACCES).text, "Permission denied");
  EXPECT_STREQ(sys::Describe(EISDIR).text, "Is a directory");
  EXPECT_STREQ(sys::Describe(4095).text, "Unknown error 4095");
}

class TemporaryFile {
public:
  explicit TemporaryFile(const std::string &contents) {
    char name[] = "/tmp/talv-system-test-XXXXXX";
    const int fd = mkstemp(name);
    if (fd >= 0)
      close(fd);
    m_path = name;
    std::ofstream(m_path, std::ios::binary) << contents;
  }
  ~TemporaryFile() { unlink(m_path.c_str()); }
  TemporaryFile(const TemporaryFile &) = delete;
  TemporaryFile &operator=(const TemporaryFile &) = delete;
  const char *path() const { return m_path.c_str(); }

private:
  std::string m_path;
};

struct Expected {
  const char *name;
  long length; // -1: unset
  std::string value;
};

struct LookUpCase {
  const char *title;
  std::string environment;
  std::vector<Expected> expected;
};

void PrintTo(const LookUpCase &c, std::ostream *os) { *os << c.title; }

class LookUpTest : public testing::TestWithParam<LookUpCase> {};

TEST_P(LookUpTest, FindsTheVariables) {
  const LookUpCase &c = GetParam();
  const TemporaryFile file(c.environment);
  std::vector<std::vector<char>> buffers;
  std::vector<sys::Variable> variables;
  for (const Expected &expected : c.expected) {
    buffers.emplace_back(8, 'x'); // room for 7 bytes of value
    variables.push_back({expected.name, buffers.back().data(), buffers.back().size()});
  }
  sys::LookUp(variables.data(), variables.size(), file.path());
  for (std::size_t i = 0; i < variables.size(); ++i) {
    EXPECT_EQ(variables[i].length, c.expected[i].length) << c.expected[i].name;
    EXPECT_EQ(std::string(variables[i].value), c.expected[i].value) << c.expected[i].name;
  }
}

const std::string kLongName(100, 'A');

INSTANTIATE_TEST_SUITE_P(
    Environments, LookUpTest,
    testing::Values(
        LookUpCase{"Several",
                   std::string("A=1\0B=22\0C=333\0", 15),
                   {{"C", 3, "333"}, {"A", 1, "1"}, {"D", -1, ""}}},
        LookUpCase{"NameIsNotAPrefix",
                   std::string("TMPDIRX=no\0TMP=no\0", 18),
                   {{"TMPDIR", -1, ""}, {"TMPDIRX", 2, "no"}}},
        LookUpCase{"FirstOfTwoCounts", std::string("A=1\0A=2\0", 8), {{"A", 1, "1"}}},
        LookUpCase{"ValueHoldsEquals", std::string("A=b=c\0", 6), {{"A", 3, "b=c"}}},
        LookUpCase{"EmptyValue", std::string("A=\0", 3), {{"A", 0, ""}}},
        LookUpCase{"EntryWithoutEquals", std::string("A\0A=1\0", 6), {{"A", 1, "1"}}},
        LookUpCase{"LastEntryUnterminated", std::string("A=1\0B=xyz", 9), {{"B", 3, "xyz"}}},
        LookUpCase{"ValueCutShort",
                   std::string("A=abcdefghij\0B=2\0", 17),
                   {{"A", 10, "abcdefg"}, {"B", 1, "2"}}},
        LookUpCase{
            "LongNameSharingAPrefix", kLongName + "B=1" + std::string(1, '\0'), {{"A", -1, ""}}},
        LookUpCase{"AcrossReads",
                   "FILLER=" + std::string(5000, 'f') + '\0' + "A=end",
                   {{"A", 3, "end"}, {"FILLER", 5000, "fffffff"}}},
        LookUpCase{"Empty", "", {{"A", -1, ""}}}));

TEST(LookUpTest, UnreadableEnvironmentLeavesEverythingUnset) {
  char value[4] = "old";
  sys::Variable variable{"A", value, sizeof value};
  sys::LookUp(&variable, 1, "/nonexistent/environ");
  EXPECT_EQ(variable.length, -1);
  EXPECT_STREQ(value, "");
}

TEST(LookUpTest, ReadsTheProcessEnvironmentByDefault) {
  const char *path = std::getenv("PATH");
  ASSERT_NE(path, nullptr);
  std::vector<char> value(std::strlen(path) + 1);
  sys::Variable variable{"PATH", value.data(), value.size()};
  sys::LookUp(&variable, 1);
  EXPECT_STREQ(value.data(), path);
}

TEST(SystemCallTest, ReportsErrorsAsNegatedNumbers) {
  EXPECT_EQ(sys::Open("/nonexistent/file", O_RDONLY), -ENOENT);
  const int fd = sys::Open("/dev/null", O_RDONLY);
  ASSERT_GE(fd, 0);
  EXPECT_EQ(sys::Write(fd, "x", 1), -EBADF);
  sys::Close(fd);
  EXPECT_EQ(sys::Read(fd, nullptr, 0), -EBADF);
  EXPECT_EQ(sys::UserId(), getuid());
}

TEST(SystemCallTest, RewritesAFile) {
  const TemporaryFile file("old contents");
  const int fd = sys::Open(file.path(), O_RDWR);
  ASSERT_GE(fd, 0);
  EXPECT_EQ(sys::Lock(fd, LOCK_EX), 0);
  char text[16];
  EXPECT_EQ(sys::Read(fd, text, sizeof text), 12);
  EXPECT_EQ(sys::SeekTo(fd, 0), 0);
  EXPECT_EQ(sys::Write(fd, "new", 3), 3);
  EXPECT_EQ(sys::Truncate(fd, 3), 0);
  sys::Close(fd);
  std::ifstream in(file.path());
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "new");
}

} // namespace
