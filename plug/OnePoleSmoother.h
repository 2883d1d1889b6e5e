#pragma once

// Per-sample smoothing: state = a * target + b * state.
struct OnePoleSmoother
{
  double previousWeight;  // b
  double targetWeight;    // a
  double state;

  double Step(double target)
  {
    state = targetWeight * target + previousWeight * state;
    return state;
  }

  // A step would leave the state as it is: from here on it never changes for this target.
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
