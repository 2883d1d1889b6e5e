#pragma once

#include <vector>

#include "plug/vst2/aeffect.h"
#include "tools/skarvel/Options.h"

class Skarvel;

// One effect instance driven exactly as a host drives it, in-process: created through the
// entry point, opened, given the sample rate and the block size and switched on through
// the dispatcher, automated through setParameter, processed through processReplacing or
// processDoubleReplacing.
class EffectSession
{
public:
  EffectSession(double sampleRate, int blockSize);
  ~EffectSession();
  EffectSession(const EffectSession&) = delete;
  EffectSession& operator=(const EffectSession&) = delete;

  void Apply(const std::vector<ParameterSetting>& settings);
  // Switches programs as a host does: the current values stay with the program left.
  void SelectProgram(int index);
  // Processes n frames of stereo audio in blocks of at most the block size: float audio
  // through processReplacing, double audio through processDoubleReplacing.
  void Process(const float* inLeft, const float* inRight, float* outLeft, float* outRight, long n);
  void Process(const double* inLeft, const double* inRight, double* outLeft, double* outRight, long n);
  int BlockSize() const { return blockSize; }
  // Switched off and on again, as a host does when the effect's latency changes.
  void Restart();
  // For what no host call reaches: preset files, names, the parameter table.
  Skarvel& Effect();

private:
  template <typename Sample, typename Processor>
  void ProcessInBlocks(Processor process, const Sample* inLeft, const Sample* inRight, Sample* outLeft,
                       Sample* outRight, long n);
  VstIntPtr Dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, float opt = 0.0f);

  AEffect* effect;
  int blockSize;
};
