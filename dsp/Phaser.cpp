#include "dsp/Phaser.h"

#include <cmath>

namespace Kernwave {

namespace {

constexpr double kTwoPi = 6.283185307179586;

// One pass through a chain of all-pass stages that share the coefficient a.
double RunChain(Phaser::AllpassStage* stages, double a, double u)
{
  for (int k = 0; k < Phaser::kStages; ++k) {
    Phaser::AllpassStage& st = stages[k];
    const double y = st.state - a * u;
    st.state = a * y + u;
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
      const double d = minDelay + (std::sin(lfoPhase) + 1.0) * 0.5 * (maxDelay - minDelay);
      lfoPhase += lfoIncrement;
      if (lfoPhase >= kTwoPi) lfoPhase -= kTwoPi;
      coefficient[i] = (1.0 - d) / (1.0 + d);
    }
    Sweep(left + done, right + done, coefficient, count);
    for (int k = 0; k < kStages; ++k)
      leftStages[k].coefficient = rightStages[k].coefficient = coefficient[count - 1];
  }
}

void Phaser::Sweep(double* left, double* right, const double* coefficient, int n)
{
  const auto sweep = [&](int i, double m) {
    const double xL = left[i], xR = right[i];
    const double yL = RunChain(leftStages, coefficient[i], xL + feedback * lastLeft);
    const double yR = RunChain(rightStages, coefficient[i], xR + feedback * lastRight);
    lastLeft = yL;
    lastRight = yR;
    left[i] = xL + m * yL;
    right[i] = xR + m * yR;
  };
  if (SmoothingSettled(smoothedDepth, smoothKeep, smoothTake, depth) && !IsFading()) {
    const double m = smoothedDepth * fadeGain;
    for (int i = 0; i < n; ++i) sweep(i, m);
    return;
  }
  for (int i = 0; i < n; ++i) {
    smoothedDepth = smoothedDepth * smoothKeep + smoothTake * depth;
    sweep(i, smoothedDepth * fadeGain);
    AdvanceFade();
  }
}

}  // namespace Kernwave
