// The notification of the companion program, with velmira and the companion as separate
// processes. These tests share the system-wide companion names, so they never run in parallel.
#include "companion/companion.h"
#include "platform/abstract_socket_posix.h"
#include "tests/e2e/e2e_fixture.h"

#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr char kBothEnabled[] = "Enable Wireless feature.\nEnable Bluetooth feature.\n";

class CompanionTest : public VelmiraProcessTest {
protected:
  void SetUp() override { Install(); }

  static std::unique_ptr<companion::CompanionWindow> Window() {
    std::string error;
    auto window = companion::CompanionWindow::Register(&error);
    EXPECT_TRUE(window) << error;
    return window;
  }

  static std::unique_ptr<companion::NotifyEvent> Event(companion::ResetMode mode) {
    std::string error;
    auto event = companion::NotifyEvent::Create(mode, &error);
    EXPECT_TRUE(event) << error;
    return event;
  }
};

TEST_F(CompanionTest, ACompanionProcessIsWokenOnceBySwitching) {
  BackgroundProcess companionProcess(VELMIRA_COMPANION_EXE, {"--count", "1", "--timeout", "10"});
  ASSERT_EQ(companionProcess.ReadLine(5000), "ready");

  const ProcessResult result = Velmira({"/set=11"});
  EXPECT_EQ(result.standardOutput, kBothEnabled);
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_EQ(companionProcess.ReadLine(5000), "signalled");
  EXPECT_EQ(companionProcess.Wait(), 0);
}

TEST_F(CompanionTest, AnAutomaticResetEventIsReleasedOnceAndResets) {
  auto window = Window();
  auto event = Event(companion::ResetMode::Automatic);
  ASSERT_EQ(Velmira({"/set=11"}).exitStatus, 0);
  EXPECT_TRUE(event->Wait(5000));
  EXPECT_FALSE(event->Wait(100));
}

TEST_F(CompanionTest, AManualResetEventStaysSignalledUntilReset) {
  auto window = Window();
  auto event = Event(companion::ResetMode::Manual);
  ASSERT_EQ(Velmira({"/set=00"}, "00").exitStatus, 0);
  EXPECT_TRUE(event->Wait(5000));
  EXPECT_TRUE(event->Wait(0));
  event->Reset();
  EXPECT_FALSE(event->Wait(100));
}

TEST_F(CompanionTest, TheEventThatVelmiraCreatedEndsWithIt) {
  auto window = Window();
  ASSERT_EQ(Velmira({"/set=11"}).exitStatus, 0);
  // Nobody else held the name, so it is free again once velmira has ended.
  EXPECT_TRUE(Event(companion::ResetMode::Automatic));
}

TEST_F(CompanionTest, OtherActionsAndAnAbsentCompanionSignalNothing) {
  auto event = Event(companion::ResetMode::Automatic);
  ASSERT_EQ(Velmira({"/set=11"}).exitStatus, 0); // no window: the companion is not running
  auto window = Window();
  for (const char *option : {"/get", "/?", "/skip"})
    ASSERT_EQ(Velmira({option}).exitStatus, 0);
  EXPECT_FALSE(event->Wait(100));
}

TEST_F(CompanionTest, ANameHeldByAnotherKindOfObjectFailsAfterTheWrites) {
  auto window = Window();
  const int impostor = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_un address;
  const socklen_t length = platform::AbstractSocketAddress(companion::kEventName, &address);
  ASSERT_EQ(bind(impostor, reinterpret_cast<sockaddr *>(&address), length), 0);
  ASSERT_EQ(listen(impostor, 1), 0);

  const ProcessResult result = Velmira({"/set=11"});
  close(impostor);
  EXPECT_EQ(result.standardOutput, kBothEnabled);
  EXPECT_EQ(result.standardError, "velmira: cannot create or open the event VelmiraNotifyEvent: "
                                  "the name is held by an object of another kind\n");
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_EQ(Requests().size(), 5u);
}

} // namespace
