#pragma once

#include "dsp/filters/PoleZeroPair.h"

namespace Dsp {

// Poles and zeros of a whole filter in pairs, plus the frequency (radians per sample) and
// gain at which the finished cascade is normalised.
template <int MaxPoles> struct PoleZeroLayout
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

  // Starts over at normalisation frequency w with the analog layout's gain and adds each of
  // its pairs with the poles and zeros mapped one to one (the low- and high-pass transforms).
  template <int AnalogPoles, class Map>
  void MapFrom(const PoleZeroLayout<AnalogPoles>& analog, double w, Map map)
  {
    Reset(w, analog.normalGain);
    for (int i = 0; i < analog.PairCount(); ++i) {
      const PoleZeroPair& pair = analog.pairs[i];
      if (pair.IsSingle())
        AddSingle(map(pair.pole1), map(pair.zero1));
      else
        AddConjugatePairs(map(pair.pole1), map(pair.zero1));
    }
  }

  int poleCount = 0;
  PoleZeroPair pairs[kMaxPairs] = {};
  double normalW = 0.0;
  double normalGain = 1.0;
};

}  // namespace Dsp
