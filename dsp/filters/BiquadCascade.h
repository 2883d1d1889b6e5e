#pragma once

#include <cstdint>

#include "dsp/filters/BiquadCoefficients.h"
#include "dsp/filters/PoleZeroLayout.h"

namespace Dsp {

// z^-1 and z^-2 on the unit circle at f cycles per sample, recomputed only when f changes:
// while a cutoff glides, a design's normalisation point mostly stays where it is.
struct UnitCirclePoint
{
  void MoveTo(double f);

  uint64_t fBits = ~uint64_t(0);  // a NaN: nothing computed yet
  Complex zInv;
  Complex zInv2;
};

// Product of the stage responses at f cycles per sample.
Complex CascadeResponse(const BiquadCoefficients* stages, int stageCount, double f);
Complex CascadeResponse(const BiquadCoefficients* stages, int stageCount, const UnitCirclePoint& z);
// Scales the numerator of the first stage so that |H| at w radians per sample becomes gain;
// point keeps the unit-circle values from one design to the next.
void NormaliseCascade(BiquadCoefficients* stages, int stageCount, double w, double gain,
                      UnitCirclePoint& point);

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
