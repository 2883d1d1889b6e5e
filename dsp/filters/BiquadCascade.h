#pragma once

#include <cstdint>
#include <cstring>

#include "dsp/filters/BiquadCoefficients.h"
#include "dsp/filters/DesignMath.h"
#include "dsp/filters/MathConstants.h"
#include "dsp/filters/PoleZeroLayout.h"

namespace Dsp {

// z^-1 and z^-2 on the unit circle at f cycles per sample, recomputed only when f changes:
// while a cutoff glides, a design's normalisation point mostly stays where it is.
struct UnitCirclePoint
{
  void MoveTo(double f)
  {
    uint64_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    if (bits != fBits) Compute(f, bits);
  }
  // The values at f, whose bits are bits: MoveTo's work when f has changed.
  void Compute(double f, uint64_t bits);

  uint64_t fBits = ~uint64_t(0);  // a NaN: nothing computed yet
  Complex zInv;
  Complex zInv2;
};

// Product of the stage responses at f cycles per sample.
Complex CascadeResponse(const BiquadCoefficients* stages, int stageCount, double f);

// The first stage's response starts the product: multiplying it by 1 would change no
// finite value beyond the sign of a zero part.
inline Complex CascadeResponse(const BiquadCoefficients* stages, int stageCount, const UnitCirclePoint& z)
{
  if (stageCount == 0) return 1.0;
  Complex h = stages[0].Response(z.zInv, z.zInv2);
  for (int i = 1; i < stageCount; ++i) h *= stages[i].Response(z.zInv, z.zInv2);
  return h;
}

// Scales the numerator of the first stage so that |H| at w radians per sample becomes gain;
// point keeps the unit-circle values from one design to the next. Inline, as the sections'
// functions: every sample of a glide normalises.
inline void NormaliseCascade(BiquadCoefficients* stages, int stageCount, double w, double gain,
                             UnitCirclePoint& point)
{
  if (stageCount == 0) return;
  point.MoveTo(w / kTwoPi);
  const double scale = gain / DesignMath::Abs(CascadeResponse(stages, stageCount, point));
  stages[0].b0 *= scale;
  stages[0].b1 *= scale;
  stages[0].b2 *= scale;
}

// Second-order sections applied in order, stage 0 first.
template <int MaxStagesCount> struct BiquadCascade
{
  static constexpr int kMaxStages = MaxStagesCount;

  Complex Response(double f) const { return CascadeResponse(stages, stageCount, f); }

  // One stage per pair of the layout, then the gain normalisation the layout asks for.
  template <int MaxPoles> void SetFromLayout(const PoleZeroLayout<MaxPoles>& layout)
  {
    static_assert(PoleZeroLayout<MaxPoles>::kMaxPairs <= MaxStagesCount, "cascade too small");
    stageCount = layout.PairCount();
    for (int i = 0; i < stageCount; ++i) stages[i].SetFromPair(layout.pairs[i]);
    NormaliseCascade(stages, stageCount, layout.normalW, layout.normalGain, normalPoint);
  }

  int stageCount = 0;
  int maxStages = MaxStagesCount;
  BiquadCoefficients stages[MaxStagesCount];
  UnitCirclePoint normalPoint;
};

}  // namespace Dsp
