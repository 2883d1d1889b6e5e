#pragma once

#include "dsp/AudioProcessingUnit.h"
#include "dsp/MathConstants.h"
#include "dsp/OnePoleSmoother.h"
#include "dsp/filters/StereoPair.h"

namespace Kernwave {

// Six first-order all-pass stages per channel swept by a sine LFO, with feedback; the swept
// chain's output is added to the dry signal.
class Phaser : public AudioProcessingUnit
{
public:
  static constexpr int kStages = 6;
  // The sweep rate at the top of the rate setting.
  static constexpr double kMaxRateHz = 4.0;

  struct AllpassStage
  {
    double coefficient;
    double state;
  };

  void SetDepth(double v) { depth = v; }
  // v in 0..1: feedback = feedbackScale * v.
  void SetFeedback(double v) { feedback = feedbackScale * v; }
  // v in 0..1: LFO increment for v * maxRate Hz at the current rate. Not recomputed when the
  // rate changes later.
  void SetRate(double v) { lfoIncrement = v / sampleRate * kTwoPi * maxRate; }
  void ProcessPhaser(double* left, double* right, int n);

private:
  // The swept all-pass coefficients of the next count (1 or 2) frames, stepping the LFO.
  Dsp::StereoPair NextCoefficients(int count);

  AllpassStage leftStages[kStages] = {};
  AllpassStage rightStages[kStages] = {};
  // The sweep limits stay those of 44.1 kHz whatever the host's rate.
  double minDelay = 440.0 / (44100.0 * 0.5);
  double maxDelay = 1600.0 / (44100.0 * 0.5);
  double feedback = 0.7;
  double lfoPhase = 0.0;
  double lfoIncrement = 0.5 / 44100.0 * kTwoPi * 4.0;
  double depth = 0.0;
  OnePoleSmoother depthSmoother = {kSmoothingKeep, kSmoothingTake, 0.0};
  double maxRate = kMaxRateHz;
  double feedbackScale = 0.999;
  double lastLeft = 0.0;
  double lastRight = 0.0;
};

}  // namespace Kernwave
