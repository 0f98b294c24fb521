// velmira-companion: a minimal companion program. It registers as the companion, creates the
// notification event and prints one line for each signal that velmira sends.
#include "companion/companion.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr char kUsage[] = "usage: velmira-companion [--manual] [--no-event] [--count N] "
                          "[--timeout SECONDS]\n";

int Fail(const std::string &message) {
  std::fprintf(stderr, "velmira-companion: %s\n", message.c_str());
  return 2;
}

} // namespace

int main(int argc, char **argv) {
  companion::ResetMode mode = companion::ResetMode::Automatic;
  bool withEvent = true;
  long count = 1;           // signals to wait for; 0: for ever
  long timeoutSeconds = -1; // for each wait; negative: for ever
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--manual") == 0) {
      mode = companion::ResetMode::Manual;
    } else if (std::strcmp(argv[i], "--no-event") == 0) {
      withEvent = false;
    } else if (std::strcmp(argv[i], "--count") == 0 && i + 1 < argc) {
      count = std::strtol(argv[++i], nullptr, 10);
    } else if (std::strcmp(argv[i], "--timeout") == 0 && i + 1 < argc) {
      timeoutSeconds = std::strtol(argv[++i], nullptr, 10);
    } else {
      std::fputs(kUsage, stderr);
      return 2;
    }
  }

  std::string error;
  auto window = companion::CompanionWindow::Register(&error);
  if (!window)
    return Fail(error);
  std::unique_ptr<companion::NotifyEvent> event;
  if (withEvent && !(event = companion::NotifyEvent::Create(mode, &error)))
    return Fail(error);
  std::puts("ready");
  std::fflush(stdout);

  if (!event) {
    // Present without an event: stay until standard input closes.
    while (std::getchar() != EOF) {
    }
    return 0;
  }
  const int timeoutMs = timeoutSeconds < 0 ? -1 : static_cast<int>(timeoutSeconds * 1000);
  for (long seen = 0; count == 0 || seen < count; ++seen) {
    if (!event->Wait(timeoutMs)) {
      std::puts("timeout");
      return 1;
    }
    std::puts("signalled");
    std::fflush(stdout);
  }
  return 0;
}
