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
    st.coefficient = a;
    const double y = st.state - st.coefficient * u;
    st.state = st.coefficient * y + u;
    u = y;
  }
  return u;
}

}  // namespace

void Phaser::ProcessPhaser(double* left, double* right, int n)
{
  if (IsSilent() || depth == 0.0) return;
  for (int i = 0; i < n; ++i) {
    const double xL = left[i], xR = right[i];
    const double d = minDelay + (std::sin(lfoPhase) + 1.0) * 0.5 * (maxDelay - minDelay);
    lfoPhase += lfoIncrement;
    if (lfoPhase >= kTwoPi) lfoPhase -= kTwoPi;
    const double a = (1.0 - d) / (1.0 + d);
    const double yL = RunChain(leftStages, a, xL + feedback * lastLeft);
    const double yR = RunChain(rightStages, a, xR + feedback * lastRight);
    lastLeft = yL;
    lastRight = yR;
    smoothedDepth = smoothedDepth * smoothKeep + smoothTake * depth;
    const double m = smoothedDepth * fadeGain;
    left[i] = xL + m * yL;
    right[i] = xR + m * yR;
    AdvanceFade();
  }
}

}  // namespace Kernwave
