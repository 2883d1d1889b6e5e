#pragma once

#include "dsp/AudioProcessingUnit.h"
#include "dsp/OnePoleSmoother.h"

namespace Kernwave {

// Multiplies the signal by a sine carrier, mixed in by the smoothed amount. One carrier serves
// both channels, in phase.
class RingModulator : public AudioProcessingUnit
{
public:
  // The carrier frequency at the top of the frequency setting.
  static constexpr double kMaxFrequencyHz = 2000.0;

  // Stores the rate and recomputes the carrier's phase increment for it.
  void SetSampleRate(double rate) override;
  void SetAmount(double v) { amount = v; }
  // Sets the frequency fraction (0..1 of maxFrequency) and the carrier's phase increment.
  void SetFrequency(double v);
  double MaxFrequency() const { return maxFrequency; }
  void ProcessRingModulator(double* left, double* right, int n);

private:
  void Mix(double* left, double* right, const double* carrier, int n);

  double maxFrequency = kMaxFrequencyHz;
  double frequency = 0.1;
  double amount = 0.0;
  // Never wrapped: it grows for as long as the carrier runs.
  double phase = 0.0;
  double phaseIncrement = 1.0 / 44100.0;
  OnePoleSmoother amountSmoother = {kSmoothingKeep, kSmoothingTake, 0.0};
};

}  // namespace Kernwave
