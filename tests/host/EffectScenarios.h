#pragma once

#include <cstdint>
#include <string>

#include "tests/host/TestHost.h"

// The settings and signals that the benchmarks, the allocation test and the reference render
// share, so that all three look at the same work.
namespace EffectScenarios {

constexpr float kHostRate = 44100.0f;
constexpr int kHostBlockSize = 256;
// The automation scenario sweeps the cutoff from 0 to 1 and back in this many frames.
constexpr int64_t kSweepPeriod = 2 * 44100;

// Makes the factory program of that name current; false when there is none.
bool SelectProgram(TestHost& host, const std::string& name);

// "Noise Freak Fuzz 2" with the modulation, ring modulator, phaser, all three EQ bands,
// dump/expand, loudness fold-back and both saturations at work.
bool EverythingOn(TestHost& host);

// The cutoff of the automation scenario at an absolute frame: a triangle over kSweepPeriod.
float CutoffSweep(int64_t frame);
// Sets the cutoff for the block that starts at frame, as a host's automation lane would.
void AutomateCutoff(TestHost& host, int64_t frame);

// Deterministic noise-like stereo input, left and right independent, uniform in -0.7..0.7.
// Identical on every platform: integer generator, float samples.
class NoiseInput
{
public:
  explicit NoiseInput(uint32_t seed = 1) : state(seed) {}
  void Fill(FloatBuffers& block, int frames);
  void Fill(DoubleBuffers& block, int frames);

private:
  float Next();
  uint32_t state;
};

}  // namespace EffectScenarios
