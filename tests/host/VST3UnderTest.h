#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "skarvel/SkarvelParameters.h"
#include "tests/host/SkarvelUnderTest.h"
#include "tests/host/VST3TestHost.h"

// The built VST3 bundle, unless SKARVEL_VST3 names another one.
inline std::string SkarvelVST3Module()
{
  const char* env = std::getenv("SKARVEL_VST3");
  const std::string path = VST3TestHost::ModuleInBundle(env && *env ? env : SKARVEL_VST3_BUNDLE);
  // One load held to the end of the process, for the reason SkarvelPath gives.
  static std::string error;
  static const PluginModule* kept = PluginModule::Open(path, error).release();
  (void)kept;
  return path;
}

// A host with the VST3 plug-in created and initialized; null (and a recorded failure) when
// that failed.
inline std::unique_ptr<VST3TestHost> CreateSkarvelVST3()
{
  auto host = std::make_unique<VST3TestHost>();
  if (!host->Load(SkarvelVST3Module()) || !host->Create()) {
    ADD_FAILURE() << host->Error();
    return nullptr;
  }
  return host;
}

// The VST3 plug-in started at 44.1 kHz beside the VST2 module started the same way, for the
// tests that hold one format against the other.
class VST3BesideVST2 : public ::testing::Test
{
protected:
  static constexpr int kBlock = 256;
  static constexpr int kParams = 30;
  static constexpr v3_param_id kProgramParam = 1000;

  void SetUp() override
  {
    vst3 = CreateSkarvelVST3();
    vst2 = LoadSkarvel();
    ASSERT_TRUE(vst3 && vst2);
    ASSERT_EQ(vst3->Start(44100.0, kBlock, V3_SAMPLE_64), V3_OK);
    vst2->Start(44100.0f, kBlock);
  }

  std::unique_ptr<VST3TestHost> vst3;
  std::unique_ptr<TestHost> vst2;
};
