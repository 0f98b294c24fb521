// End-to-end tests of Velmira.exe: real processes, a recording TALV.dll beside the program, the
// tests' own debugger for the debugger output, and real windows and named events for the
// message box and the companion.
#include "tests/win/win_process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <thread>

namespace {

constexpr char kUsageText[] = "\r\nVelmira.exe\r\n"
                              "\t/set=00\r\n\tDisable Wireless & Bluetooth\r\n"
                              "\t/set=01\r\n\tEnable Bluetooth only\r\n"
                              "\t/set=10\r\n\tEnable Wireless only\r\n"
                              "\t/set=11\r\n\tEnable Wireless & Bluetooth\r\n"
                              "\t/get\r\n\tQuery Wireless & Bluetooth current status\r\n"
                              "\t/skip\r\n\tDon't detect Wireless & Bluetooth hardware device\r\n";
constexpr char kBothOn[] = "Wireless feature is On.\r\nBluetooth feature is On.\r\n";
constexpr char kBothEnabled[] = "Enable Wireless feature.\r\nEnable Bluetooth feature.\r\n";
constexpr char kRead[] = "b0 in=bb out=buf/1";
constexpr char kEventName[] = "VelmiraNotifyEvent";

class VelmiraExeTest : public testing::Test {
protected:
  void SetUp() override {
    SetEnvironmentVariableA("TALV_RECORDER_LOG", (directory / "requests.log").c_str());
    Answer("1f");
  }

  /// Puts Velmira.exe into the directory, with `library` beside it as TALV.dll (none if empty).
  void Install(const std::string &library = VELMIRA_RECORDER_LIB) {
    ASSERT_TRUE(CopyFileA(WindowsPath(VELMIRA_EXE).c_str(), Program().c_str(), FALSE));
    if (!library.empty()) {
      ASSERT_TRUE(CopyFileA(WindowsPath(library).c_str(), (directory / "TALV.dll").c_str(), FALSE));
    }
  }

  static void Answer(const char *reads) { SetEnvironmentVariableA("TALV_RECORDER_READS", reads); }

  std::string Program() const { return directory / "Velmira.exe"; }
  std::string CommandLine(const std::string &arguments) const {
    std::string line = "\"";
    line.append(Program()).append("\" ").append(arguments);
    return line;
  }

  WinResult Run(const std::string &arguments, bool debug = false) {
    return WinProcess(CommandLine(arguments), "", debug).Finish();
  }

  std::vector<std::string> Requests() const {
    std::vector<std::string> lines;
    std::istringstream log(ReadWholeFile(directory / "requests.log"));
    for (std::string line; std::getline(log, line);) {
      if (!line.empty() && line.back() == '\r')
        line.pop_back();
      lines.push_back(line);
    }
    return lines;
  }

  WinTemporaryDirectory directory;
};

TEST_F(VelmiraExeTest, ReportsWithOneRead) {
  Install();
  const WinResult result = Run("/get");
  EXPECT_EQ(result.standardOutput, kBothOn);
  EXPECT_EQ(result.standardError, "");
  EXPECT_EQ(result.exitStatus, 0u);
  EXPECT_EQ(Requests(), std::vector<std::string>{kRead});
}

TEST_F(VelmiraExeTest, SwitchesAndWritesItsDiagnosticsToTheDebugger) {
  Install();
  const WinResult result = Run("/SET=10", true);
  EXPECT_EQ(result.standardOutput, "Enable Wireless feature.\r\nDisable Bluetooth device.\r\n");
  EXPECT_EQ(result.exitStatus, 0u);
  EXPECT_EQ(result.debugOutput, (std::vector<std::string>{"/set=10 ", "bluetooth=0, wireless=1",
                                                          "wireless == DEVICEOPENED"}));
  EXPECT_EQ(Requests(), (std::vector<std::string>{kRead, kRead, "b1 in=bb1f out=null/0", kRead,
                                                  "b1 in=bb1d out=null/0"}));
}

TEST_F(VelmiraExeTest, WritesTheUsageText) {
  Install();
  const WinResult result = Run("/?");
  EXPECT_EQ(result.standardOutput, kUsageText);
  EXPECT_EQ(result.exitStatus, 0u);
  EXPECT_TRUE(Requests().empty());
}

TEST_F(VelmiraExeTest, LowerCasesByTheAnsiCodePage) {
  Install();
  const UINT codePage = GetACP();
  if (codePage != 1252)
    GTEST_SKIP() << "the case pair below is code page 1252's; this system uses " << codePage;
  const WinResult result = Run("/Get \xC0X", true);
  EXPECT_EQ(result.standardOutput, kBothOn);
  ASSERT_FALSE(result.debugOutput.empty());
  EXPECT_EQ(result.debugOutput[0], "/get \xE0x ");
}

TEST_F(VelmiraExeTest, RefusesALineTooLong) {
  Install();
  const WinResult result = Run("/get " + std::string(254, 'x'));
  EXPECT_EQ(result.exitStatus, 2u);
  EXPECT_EQ(result.standardOutput, "");
  EXPECT_EQ(result.standardError,
            "Velmira: the command line is 260 characters long; the limit is 259\r\n");
  EXPECT_TRUE(Requests().empty());
}

/// The top-level window whose caption is `caption`, once it shows, waited for up to ten seconds.
HWND WaitForWindow(const char *caption) {
  for (int i = 0; i < 200; ++i) {
    if (HWND window = FindWindowA(nullptr, caption); window != nullptr && IsWindowVisible(window))
      return window;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return nullptr;
}

struct BoxContents {
  std::vector<std::string> texts;
  int buttons = 0;
  bool icon = false;
};

BoxContents ReadBox(HWND box) {
  BoxContents contents;
  EnumChildWindows(
      box,
      [](HWND child, LPARAM data) -> BOOL {
        auto *found = reinterpret_cast<BoxContents *>(data);
        char className[64] = {}, text[256] = {};
        GetClassNameA(child, className, sizeof className);
        GetWindowTextA(child, text, sizeof text);
        const LONG style = GetWindowLongA(child, GWL_STYLE);
        if (!IsWindowVisible(child))
          return TRUE; // a box may keep the buttons it does not use, hidden
        if (lstrcmpiA(className, "Button") == 0)
          ++found->buttons;
        else if (lstrcmpiA(className, "Static") == 0 && (style & SS_TYPEMASK) == SS_ICON)
          found->icon = true;
        else if (text[0] != '\0')
          found->texts.push_back(text);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&contents));
  return contents;
}

/// Runs `arguments`, answers the load-failure box and returns the run's result.
WinResult RunThroughTheBox(const std::string &commandLine, const std::string &workingDirectory,
                           BoxContents *contents) {
  WinProcess process(commandLine, workingDirectory, false);
  HWND box = WaitForWindow("Velmira");
  EXPECT_NE(box, nullptr) << "no message box with the caption Velmira";
  if (box != nullptr) {
    *contents = ReadBox(box);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
  }
  return process.Finish();
}

TEST_F(VelmiraExeTest, AMissingLibraryShowsTheBoxThenFails) {
  Install("");
  for (const char *arguments : {"/get", "/?", ""}) {
    SCOPED_TRACE(arguments);
    BoxContents box;
    const WinResult result = RunThroughTheBox(CommandLine(arguments), "", &box);
    EXPECT_EQ(box.texts, std::vector<std::string>{"TALV.dll ERROR!"});
    EXPECT_EQ(box.buttons, 1);
    EXPECT_TRUE(box.icon);
    EXPECT_EQ(result.exitStatus, 1u);
    EXPECT_EQ(result.standardOutput, "");
  }
}

TEST_F(VelmiraExeTest, NeverLoadsTheLibraryFromTheCurrentDirectory) {
  Install("");
  WinTemporaryDirectory workingDirectory;
  ASSERT_TRUE(CopyFileA(WindowsPath(VELMIRA_RECORDER_LIB).c_str(),
                        (workingDirectory / "TALV.dll").c_str(), FALSE));
  BoxContents box;
  const WinResult result = RunThroughTheBox(CommandLine("/get"), workingDirectory.path(), &box);
  EXPECT_EQ(result.exitStatus, 1u);
  EXPECT_TRUE(Requests().empty());
}

TEST_F(VelmiraExeTest, ALibraryWithoutTheEntryPointShowsTheBox) {
  Install(VELMIRA_NO_ENTRY_LIB);
  BoxContents box;
  const WinResult result = RunThroughTheBox(CommandLine("/set=11"), "", &box);
  EXPECT_EQ(box.texts, std::vector<std::string>{"TALV.dll ERROR!"});
  EXPECT_EQ(result.exitStatus, 1u);
  EXPECT_EQ(result.standardOutput, "");
  EXPECT_NE(result.standardError.find("TALVEvaluate"), std::string::npos) << result.standardError;
}

/// A window of the class "VelmiraClass": top-level, or the child of a window of another class.
class CompanionWindow {
public:
  explicit CompanionWindow(bool topLevel) {
    Register("VelmiraClass");
    Register("VelmiraTestParent");
    if (!topLevel)
      m_parent = CreateWindowExA(0, "VelmiraTestParent", "parent", WS_OVERLAPPEDWINDOW, 0, 0, 100,
                                 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    m_window = CreateWindowExA(0, "VelmiraClass", "", topLevel ? WS_OVERLAPPEDWINDOW : WS_CHILD, 0,
                               0, 50, 50, m_parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    EXPECT_NE(m_window, nullptr);
  }
  ~CompanionWindow() {
    DestroyWindow(m_window);
    if (m_parent != nullptr)
      DestroyWindow(m_parent);
  }

private:
  static void Register(const char *name) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = name;
    RegisterClassA(&windowClass); // fails harmlessly when registered already
  }
  HWND m_parent = nullptr;
  HWND m_window = nullptr;
};

class CompanionTest : public VelmiraExeTest {
protected:
  void SetUp() override {
    VelmiraExeTest::SetUp();
    Install();
  }
};

TEST_F(CompanionTest, AWaitingCompanionWakesOnceAfterBothLines) {
  CompanionWindow window(true);
  HANDLE event = CreateEventA(nullptr, FALSE, FALSE, kEventName);
  ASSERT_NE(event, nullptr);

  WinProcess process(CommandLine("/set=11"), "", false);
  DWORD waited = WAIT_FAILED, outputAtWake = 0;
  std::thread companion([&] {
    waited = WaitForSingleObject(event, 10000);
    outputAtWake = process.PendingOutput();
  });
  companion.join();
  const WinResult result = process.Finish();

  EXPECT_EQ(waited, WAIT_OBJECT_0);
  EXPECT_EQ(outputAtWake, std::string(kBothEnabled).size());
  EXPECT_EQ(result.standardOutput, kBothEnabled);
  EXPECT_EQ(result.exitStatus, 0u);
  EXPECT_EQ(WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "woken twice";
  CloseHandle(event);
}

TEST_F(CompanionTest, AManualResetEventStaysSignalled) {
  CompanionWindow window(true);
  HANDLE event = CreateEventA(nullptr, TRUE, FALSE, kEventName);
  ASSERT_EQ(Run("/set=00").exitStatus, 0u);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
  CloseHandle(event);
}

TEST_F(CompanionTest, TheEventThatVelmiraCreatedEndsWithIt) {
  CompanionWindow window(true);
  ASSERT_EQ(Run("/set=11").exitStatus, 0u);
  EXPECT_EQ(OpenEventA(SYNCHRONIZE, FALSE, kEventName), nullptr);
}

TEST_F(CompanionTest, ANameHeldByAMutexFailsAfterTheWrites) {
  CompanionWindow window(true);
  HANDLE mutex = CreateMutexA(nullptr, FALSE, kEventName);
  const WinResult result = Run("/set=11");
  CloseHandle(mutex);
  EXPECT_EQ(result.standardOutput, kBothEnabled);
  EXPECT_EQ(result.standardError, "Velmira: cannot create or open the event VelmiraNotifyEvent: "
                                  "the name is held by an object of another kind\r\n");
  EXPECT_EQ(result.exitStatus, 1u);
  EXPECT_EQ(Requests().size(), 5u);
}

TEST_F(CompanionTest, OnlySwitchingWithATopLevelWindowSignals) {
  HANDLE event = CreateEventA(nullptr, FALSE, FALSE, kEventName);
  {
    CompanionWindow window(true);
    for (const char *arguments : {"/get", "/?", "/skip", ""})
      ASSERT_EQ(Run(arguments).exitStatus, 0u);
  }
  {
    CompanionWindow child(false);
    ASSERT_EQ(Run("/set=11").exitStatus, 0u);
  }
  EXPECT_EQ(WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  CloseHandle(event);
}

} // namespace
