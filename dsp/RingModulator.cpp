#include "dsp/RingModulator.h"

#include "dsp/BlockMath.h"
#include "dsp/MathConstants.h"

namespace Kernwave {

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
  // The carrier a chunk at a time: the phases, their sines in one block, the mixing after it.
  double carrier[kChunk];
  for (int done = 0; done < n; done += kChunk) {
    const int count = n - done < kChunk ? n - done : kChunk;
    for (int i = 0; i < count; ++i) {
      carrier[i] = phase;
      phase += phaseIncrement;
    }
    BlockMath::Sin(carrier, carrier, count);
    Mix(left + done, right + done, carrier, count);
  }
}

void RingModulator::Mix(double* left, double* right, const double* carrier, int n)
{
  const auto mix = [&](int i, double m) {
    const double s = carrier[i];
    left[i] = left[i] * m * s + (1.0 - m) * left[i];
    right[i] = right[i] * (1.0 - m) + right[i] * m * s;
  };
  if (amountSmoother.Settled(amount) && !IsFading()) {
    const double m = amountSmoother.state * fadeGain;
    for (int i = 0; i < n; ++i) mix(i, m);
    return;
  }
  OnePoleSmoother smoother = amountSmoother;
  for (int i = 0; i < n; ++i) {
    mix(i, smoother.Step(amount) * fadeGain);
    AdvanceFade();
  }
  amountSmoother = smoother;
}

}  // namespace Kernwave
