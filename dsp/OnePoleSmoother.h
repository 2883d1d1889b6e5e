#pragma once

namespace Kernwave {

// The effect's parameter smoothing per sample at the host's rate: each step keeps this much of
// its state and takes the rest from the target. An empirical value of the sound.
constexpr double kSmoothingKeep = 0.987654321;
constexpr double kSmoothingTake = 1.0 - kSmoothingKeep;
static_assert(kSmoothingTake == 0.012345679000000054, "the take weight is 1 - keep, rounded");

// Per-sample smoothing: state = a * target + b * state.
struct OnePoleSmoother
{
  double previousWeight;  // b
  double targetWeight;    // a
  double state;

  // Weights that keep keep of the state per step and take the rest from the target.
  void SetKeep(double keep)
  {
    previousWeight = keep;
    targetWeight = 1.0 - keep;
  }

  double Step(double target)
  {
    state = targetWeight * target + previousWeight * state;
    return state;
  }

  // A step would leave the state as it is: from here on it never changes for this target (sums
  // and products do not depend on the operands' order).
  bool Settled(double target) const { return targetWeight * target + previousWeight * state == state; }

  // fn(i, state) for frames 0..n-1, stepping first. Once settled the state is handed over as
  // a constant, so the loop carries nothing from one frame to the next; the values are those
  // of stepping every frame.
  template <class Fn> void Run(double target, int n, Fn&& fn)
  {
    if (Settled(target)) {
      const double s = state;
      for (int i = 0; i < n; ++i) fn(i, s);
      return;
    }
    for (int i = 0; i < n; ++i) fn(i, Step(target));
  }
};

}  // namespace Kernwave
