#include "dsp/RingModulator.h"

#include <cmath>

namespace Kernwave {

namespace {
constexpr double kTwoPi = 6.283185307179586;
}

void RingModulator::SetSampleRate(double rate)
{
  sampleRate = rate;
  phaseIncrement = (1.0 / rate) * frequency * maxFrequency * kTwoPi;
}

void RingModulator::SetFrequency(double v)
{
  frequency = v;
  phaseIncrement = (1.0 / sampleRate) * v * maxFrequency * kTwoPi;
}

void RingModulator::ProcessRingModulator(double* left, double* right, int n)
{
  if (IsSilent() || frequency == 0.0 || amount == 0.0) return;
  double smoothed = smoothedAmount;
  double p = phase;
  for (int i = 0; i < n; ++i) {
    const double s = std::sin(p);
    smoothed = smoothTake * amount + smoothed * smoothKeep;
    const double m = smoothed * fadeGain;
    left[i] = left[i] * m * s + (1.0 - m) * left[i];
    right[i] = right[i] * (1.0 - m) + right[i] * m * s;
    AdvanceFade();
    p += phaseIncrement;
  }
  smoothedAmount = smoothed;
  phase = p;
}

}  // namespace Kernwave
