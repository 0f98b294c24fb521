// A recording stand-in for the platform layer, linked into the unit tests in place of a real
// platform. Every test starts from FakePlatform::Reset().
#pragma once

#include "platform/platform.h"

#include <string>
#include <vector>

struct FakePlatform {
  // What the code under test did.
  std::string standardOutput;
  std::vector<std::string> errorLines;
  std::vector<std::string> debugOutput;
  std::vector<std::string> errorBoxes; // "text|detail"
  int loads = 0;
  int releases = 0;
  int windowLookups = 0;
  int eventsOpened = 0;
  int eventsSignalled = 0;
  std::string windowClassAsked;
  std::string eventNameAsked;
  std::string standardOutputAtSignal;

  // How the system answers.
  bool moduleAlreadyLoaded = false;
  bool libraryLoads = true;
  void *entryPoint = nullptr; // what FindExport answers; null means the export is missing
  bool companionRunning = false;
  bool eventFails = false;
  bool outputFails = false;

  static FakePlatform &Get();
  static void Reset();
};
