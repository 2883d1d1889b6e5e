#pragma once

namespace Dsp {

// A design frequency at or above half the sample rate turns every design here unstable (the
// RBJ alpha changes sign, tan(pi*fc) passes its pole). Such a frequency, and a NaN one, is
// designed at 0.49 * fs instead; any frequency below Nyquist is used as given.
constexpr double kNyquistLimit = 0.49;

inline double LimitBelowNyquist(double frequency, double sampleRate)
{
  return frequency < 0.5 * sampleRate ? frequency : kNyquistLimit * sampleRate;
}

}  // namespace Dsp
