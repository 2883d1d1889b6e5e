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
};
