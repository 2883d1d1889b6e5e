#include "dsp/Phaser.h"

#include "dsp/BlockMathKernels.h"
#include "dsp/MathConstants.h"
#include "dsp/filters/StereoPair.h"

namespace Kernwave {

namespace {

using Dsp::StereoPair;

// One pass through the two channels' chains of all-pass stages that share the coefficient a,
// the channels side by side.
StereoPair RunChains(StereoPair* states, double a, StereoPair u)
{
  for (int k = 0; k < Phaser::kStages; ++k) {
    const StereoPair y = states[k] - a * u;
    states[k] = a * y + u;
    u = y;
  }
  return u;
}

}  // namespace

inline __attribute__((always_inline)) StereoPair Phaser::NextCoefficients(int count)
{
  double phases[2] = {};
  for (int j = 0; j < count; ++j) {
    phases[j] = lfoPhase;
    lfoPhase += lfoIncrement;
    if (lfoPhase >= kTwoPi) lfoPhase -= kTwoPi;
  }
  const StereoPair sine = BlockMathKernels::Sin(StereoPair{phases[0], phases[1]});
  const StereoPair d = minDelay + (sine + 1.0) * 0.5 * (maxDelay - minDelay);
  return (1.0 - d) / (1.0 + d);
}

void Phaser::ProcessPhaser(double* left, double* right, int n)
{
  if (IsSilent() || depth == 0.0 || n <= 0) return;
  StereoPair states[kStages];
  for (int k = 0; k < kStages; ++k) states[k] = StereoPair{leftStages[k].state, rightStages[k].state};
  StereoPair last = {lastLeft, lastRight};
  const double g = feedback;
  const auto sweep = [&](int i, double a, double m) {
    const StereoPair x = {left[i], right[i]};
    last = RunChains(states, a, x + g * last);
    const StereoPair y = x + m * last;
    left[i] = y[0];
    right[i] = y[1];
  };

  // The feedback loop is the longest chain of dependent operations in the effect and leaves
  // the processor idle between its steps. The swept coefficients (a sine and a division
  // each) are worked out kAhead frames ahead in the same loop, two at a time with the block
  // sine's own kernel inline, so that they fill those gaps.
  constexpr int kAhead = 4, kRing = 8;
  double ahead[kRing];
  int computed = 0;
  const auto computeNext = [&] {
    const int count = n - computed < 2 ? 1 : 2;
    const StereoPair a = NextCoefficients(count);
    ahead[computed % kRing] = a[0];
    if (count == 2) ahead[(computed + 1) % kRing] = a[1];
    computed += count;
  };
  while (computed < n && computed < kAhead) computeNext();
  const bool steady = depthSmoother.Settled(depth) && !IsFading();
  const double steadyDepth = depthSmoother.state * fadeGain;
  for (int i = 0; i < n; ++i) {
    if (i % 2 == 0 && computed < n) computeNext();
    if (steady) {
      sweep(i, ahead[i % kRing], steadyDepth);
    } else {
      sweep(i, ahead[i % kRing], depthSmoother.Step(depth) * fadeGain);
      AdvanceFade();
    }
  }
  for (int k = 0; k < kStages; ++k) {
    leftStages[k].coefficient = rightStages[k].coefficient = ahead[(n - 1) % kRing];
    leftStages[k].state = states[k][0];
    rightStages[k].state = states[k][1];
  }
  lastLeft = last[0];
  lastRight = last[1];
}

}  // namespace Kernwave
