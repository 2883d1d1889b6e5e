#pragma once

#include "dsp/AudioProcessingUnit.h"

namespace Kernwave {

// Multiplies the signal by a sine carrier, mixed in by the smoothed amount.
class RingModulator : public AudioProcessingUnit
{
public:
  void SetSampleRate(double rate) override;
  void SetAmount(double v) { amount = v; }
  // Sets the frequency fraction (0..1 of maxFrequency) and the carrier's phase increment.
  void SetFrequency(double v);
  double MaxFrequency() const { return maxFrequency; }
  void Process(double* left, double* right, int n);

private:
  double maxFrequency = 2000.0;
  double frequency = 0.1;
  double amount = 0.0;
  double phaseIncrement = 1.0 / 44100.0;
};

}  // namespace Kernwave
