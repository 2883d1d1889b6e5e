#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/host/TestHost.h"

// A plug-in module under the timer, driven as a host drives it: loaded with dlopen, started
// at 44.1 kHz with blocks of 256 frames, fed through processReplacing.
class TimedEffect
{
public:
  TimedEffect();

  // Loads and starts the module; false (with the reason in Error()) when that fails.
  bool Load(const std::string& path);
  const std::string& Error() const { return host.Error(); }
  TestHost& Host() { return host; }

  // One block of the noise input, or of digital silence, through processReplacing.
  void ProcessBlock(bool silent = false);
  // Frames processed so far.
  int64_t Frame() const { return frame; }

private:
  TestHost host;
  std::vector<float> noise[2];
  std::vector<float> silence;
  std::vector<float> output[2];
  int64_t frame = 0;
};

// The counters every audio benchmark reports: frames per iteration and the realtime factor
// (seconds of 44.1 kHz audio per CPU second).
void CountFrames(benchmark::State& state, int64_t framesPerIteration);

// Keeps one load of the module for the rest of the process, as hosts keep their modules, so
// instances come and go without the module being unloaded and loaded again.
void KeepLoaded(const std::string& path);
