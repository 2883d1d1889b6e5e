#include "dsp/Phaser.h"

#include "dsp/BlockMath.h"
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

void Phaser::ProcessPhaser(double* left, double* right, int n)
{
  if (IsSilent() || depth == 0.0) return;
  // The swept coefficient a chunk at a time: the sine and the division stay off the
  // feedback loop, which is the longest chain of dependent operations in the effect.
  double coefficient[kChunk];
  for (int done = 0; done < n; done += kChunk) {
    const int count = n - done < kChunk ? n - done : kChunk;
    for (int i = 0; i < count; ++i) {
      coefficient[i] = lfoPhase;
      lfoPhase += lfoIncrement;
      if (lfoPhase >= kTwoPi) lfoPhase -= kTwoPi;
    }
    BlockMath::Sin(coefficient, coefficient, count);
    for (int i = 0; i < count; ++i) {
      const double d = minDelay + (coefficient[i] + 1.0) * 0.5 * (maxDelay - minDelay);
      coefficient[i] = (1.0 - d) / (1.0 + d);
    }
    Sweep(left + done, right + done, coefficient, count);
    for (int k = 0; k < kStages; ++k)
      leftStages[k].coefficient = rightStages[k].coefficient = coefficient[count - 1];
  }
}

void Phaser::Sweep(double* left, double* right, const double* coefficient, int n)
{
  StereoPair states[kStages];
  for (int k = 0; k < kStages; ++k) states[k] = StereoPair{leftStages[k].state, rightStages[k].state};
  StereoPair last = {lastLeft, lastRight};
  const auto sweep = [&](int i, double m) {
    const StereoPair x = {left[i], right[i]};
    last = RunChains(states, coefficient[i], x + feedback * last);
    const StereoPair y = x + m * last;
    left[i] = y[0];
    right[i] = y[1];
  };
  if (depthSmoother.Settled(depth) && !IsFading()) {
    const double m = depthSmoother.state * fadeGain;
    for (int i = 0; i < n; ++i) sweep(i, m);
  } else {
    for (int i = 0; i < n; ++i) {
      sweep(i, depthSmoother.Step(depth) * fadeGain);
      AdvanceFade();
    }
  }
  for (int k = 0; k < kStages; ++k) {
    leftStages[k].state = states[k][0];
    rightStages[k].state = states[k][1];
  }
  lastLeft = last[0];
  lastRight = last[1];
}

}  // namespace Kernwave
