#pragma once

namespace Dsp {

// A design frequency at or above half the sample rate makes the designs unstable (the RBJ
// alpha changes sign and 1 + alpha can reach 0; tan(pi fc) passes its pole). Such a
// frequency, and a NaN one, is designed at 0.49 fs instead; every frequency below Nyquist is
// used as given. Band designs apply the same limit to their centre, but only when the whole
// band lies at or above Nyquist (BandEdges): below that their edge clamps keep them stable.
constexpr double kNyquistLimit = 0.49;

inline double LimitBelowNyquist(double frequency, double sampleRate)
{
  return frequency < 0.5 * sampleRate ? frequency : kNyquistLimit * sampleRate;
}

}  // namespace Dsp
