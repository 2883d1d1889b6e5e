#pragma once

#include "dsp/MinMax.h"

// Takes the output down to silence and back up in the 200 steps of a unit's on/off fade, so
// that a change which cannot glide (a new processing rate, with its own latency) is made at
// silence instead of being heard as a click.
class SwitchFade
{
public:
  static constexpr double kStep = 0.005;

  // Steps the gain towards silence (down) or full level over the block and applies it; at
  // full level and not going down the block is left as it is.
  void Apply(bool down, double* left, double* right, int n)
  {
    if (!down && gain == 1.0) return;
    const double step = down ? -kStep : kStep;
    for (int i = 0; i < n; ++i) {
      if (held > 0)
        --held;
      else
        gain = Kernwave::Clamp(gain + step, 0.0, 1.0);
      left[i] *= gain;
      right[i] *= gain;
    }
  }
  bool Silent() const { return gain == 0.0; }
  // Keeps the gain where it is for the next samples: silent, while what was changed has not
  // yet filled its delay.
  void Hold(int samples) { held = samples; }
  void Reset()
  {
    gain = 1.0;
    held = 0;
  }

private:
  double gain = 1.0;
  int held = 0;
};
