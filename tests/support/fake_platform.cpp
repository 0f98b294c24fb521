#include "tests/support/fake_platform.h"

namespace {

FakePlatform g_fake;
int g_loadedModule; // its address serves as the handle of the library
int g_adoptedModule;

} // namespace

FakePlatform &FakePlatform::Get() { return g_fake; }
void FakePlatform::Reset() { g_fake = FakePlatform(); }

namespace platform {

struct NamedEvent {};

void InitializeFramework(const char *) {}
std::string_view ApplicationTitle() { return "velmira"; }

void LowerCase(char *text, std::size_t length) {
  for (std::size_t i = 0; i < length; ++i)
    if (text[i] >= 'A' && text[i] <= 'Z')
      text[i] = static_cast<char>(text[i] - 'A' + 'a');
}

// A made-up double-byte code page for the tests: 0x81 starts a two-byte character.
bool IsLeadByte(char byte) { return static_cast<unsigned char>(byte) == 0x81; }

void WriteStandardOutput(std::string_view text) { g_fake.standardOutput += text; }

bool FlushStandardOutput(std::string *error) {
  if (!g_fake.outputFails)
    return true;
  if (error != nullptr)
    *error = "No space left on device";
  return false;
}

void WriteErrorLine(std::string_view line) { g_fake.errorLines.emplace_back(line); }
void DebugOutput(const char *text) { g_fake.debugOutput.emplace_back(text); }
void ShowErrorBox(const char *text, std::string_view detail) {
  g_fake.errorBoxes.push_back(std::string(text) + "|" + std::string(detail));
}

ModuleHandle FindLoadedModule(const char *) {
  return g_fake.moduleAlreadyLoaded ? &g_adoptedModule : nullptr;
}

ModuleHandle LoadModule(const char *fileName, std::string *error) {
  if (!g_fake.libraryLoads) {
    *error = std::string(fileName) + ": cannot open shared object file";
    return nullptr;
  }
  ++g_fake.loads;
  return &g_loadedModule;
}

void *FindExport(ModuleHandle, const char *name, std::string *error) {
  if (g_fake.entryPoint == nullptr)
    *error = std::string("undefined symbol: ") + name;
  return g_fake.entryPoint;
}

void ReleaseModule(ModuleHandle module) {
  if (module == &g_loadedModule)
    ++g_fake.releases;
}

bool CompanionWindowExists(const char *className) {
  ++g_fake.windowLookups;
  g_fake.windowClassAsked = className;
  return g_fake.companionRunning;
}

NamedEvent *OpenOrCreateEvent(const char *name, std::string *error) {
  g_fake.eventNameAsked = name;
  if (g_fake.eventFails) {
    *error = "the name is held by an object of another kind";
    return nullptr;
  }
  ++g_fake.eventsOpened;
  static NamedEvent event;
  return &event;
}

void SetNamedEvent(NamedEvent *) {
  ++g_fake.eventsSignalled;
  g_fake.standardOutputAtSignal = g_fake.standardOutput;
}

} // namespace platform
