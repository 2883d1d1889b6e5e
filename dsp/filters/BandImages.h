#pragma once

#include "dsp/filters/PoleZeroLayout.h"

namespace Dsp {

// A band transform maps each s-plane point to two z-plane points.
struct BandImages
{
  Complex first;
  Complex second;
};

// Pairs of a band transform: a conjugate analog pair becomes two digital conjugate pairs
// (the first images, then the second), a single analog pair one digital pair of its two
// images. Transform provides Map(c) -> BandImages and NormalW(w).
template <class Transform, int AnalogPoles, int DigitalPoles>
void AddBandPairs(const Transform& t, const PoleZeroLayout<AnalogPoles>& analog,
                  PoleZeroLayout<DigitalPoles>& digital)
{
  digital.Reset(t.NormalW(analog.normalW), analog.normalGain);
  for (int i = 0; i < analog.PairCount(); ++i) {
    const PoleZeroPair& pair = analog.pairs[i];
    const BandImages p = t.Map(pair.pole1);
    BandImages z = t.Map(pair.zero1);
    if (pair.IsSingle()) {
      digital.AddPair({p.first, p.second, z.first, z.second});
      continue;
    }
    t.SeparateZeros(z);
    digital.AddPair({p.first, std::conj(p.first), z.first, std::conj(z.first)});
    digital.AddPair({p.second, std::conj(p.second), z.second, std::conj(z.second)});
  }
}

}  // namespace Dsp
