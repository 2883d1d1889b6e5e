#pragma once

#include "dsp/filters/PoleZeroPair.h"

namespace Dsp {

// Poles and zeros of a whole filter in pairs, plus the frequency (radians per sample) and
// gain at which the finished cascade is normalised.
template <int MaxPoles>
struct PoleZeroLayout
{
  static constexpr int kMaxPairs = (MaxPoles + 1) / 2;

  void Reset(double w, double gain)
  {
    poleCount = 0;
    normalW = w;
    normalGain = gain;
  }

  void AddConjugatePairs(Complex pole, Complex zero)
  {
    AddPair({pole, std::conj(pole), zero, std::conj(zero)});
  }

  void AddSingle(Complex pole, Complex zero) { AddPair({pole, Complex(0.0), zero, Complex(0.0)}); }

  // Adds a pair counting two poles (conjugate pairs and the pairs of band transforms).
  void AddPair(const PoleZeroPair& pair)
  {
    pairs[poleCount / 2] = pair;
    poleCount += pair.IsSingle() ? 1 : 2;
  }

  int PairCount() const { return (poleCount + 1) / 2; }

  int poleCount = 0;
  PoleZeroPair pairs[kMaxPairs] = {};
  double normalW = 0.0;
  double normalGain = 1.0;
};

}  // namespace Dsp
