// A fresh engine over the fake platform and the fake library, for the engine's unit tests.
#pragma once

#include "engine/cmd_engine.h"
#include "tests/support/fake_platform.h"
#include "tests/support/fake_talv.h"

#include <gtest/gtest.h>

class EngineTest : public testing::Test {
protected:
  void SetUp() override { Answer({0x1F}); }

  /// Resets the fakes; the library answers the reads with `reads`.
  void Answer(std::vector<int> reads) {
    FakePlatform::Reset();
    FakeTalv::Reset(std::move(reads));
    FakePlatform::Get().entryPoint = reinterpret_cast<void *>(&FakeTalvEvaluate);
  }

  int Run(std::string_view line) { return engine.Run(line); }

  static FakePlatform &System() { return FakePlatform::Get(); }
  static const std::string &Output() { return FakePlatform::Get().standardOutput; }
  static std::string Requests() { return FakeTalv::Sequence(); }

  VelmiraCmdEngine engine;
};
