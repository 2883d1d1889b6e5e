#pragma once

#include <memory>
#include <vector>

#include "tools/skarvel/Options.h"

class Skarvel;

// One effect instance set up as a host would: created, opened, given the sample rate and the
// block size, switched on, with the current program applied.
class EffectSession
{
public:
  EffectSession(double sampleRate, int blockSize);
  ~EffectSession();

  void Apply(const std::vector<ParameterSetting>& settings);
  // Processes n frames of stereo float audio in blocks of at most the block size.
  void Process(const float* inLeft, const float* inRight, float* outLeft, float* outRight, long n);
  int BlockSize() const { return blockSize; }
  Skarvel& Effect() { return *effect; }

private:
  std::unique_ptr<Skarvel> effect;
  int blockSize;
  std::vector<double> inL, inR, outL, outR;
};
