#pragma once

#include "dsp/AudioProcessingUnit.h"

namespace Kernwave {

// Six all-pass stages per channel swept by a sine LFO, with feedback.
class Phaser : public AudioProcessingUnit
{
public:
  void SetDepth(double v) { depth = v; }
  // v in 0..1: feedback = feedbackScale * v.
  void SetFeedback(double v) { feedback = feedbackScale * v; }
  // v in 0..1: LFO increment for v * maxRate Hz.
  void SetRate(double v) { lfoIncrement = v / sampleRate * 6.283185307179586 * maxRate; }
  void Process(double* left, double* right, int n);

private:
  double feedback = 0.7;
  double lfoIncrement = 0.5 / 44100.0 * 6.283185307179586 * 4.0;
  double depth = 0.0;
  double maxRate = 4.0;
  double feedbackScale = 0.999;
};

}  // namespace Kernwave
