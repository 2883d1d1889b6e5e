#pragma once

#include "dsp/filters/BiquadCoefficients.h"
#include "dsp/filters/PoleZeroLayout.h"

namespace Dsp {

// Product of the stage responses at f cycles per sample.
Complex CascadeResponse(const BiquadCoefficients* stages, int stageCount, double f);
// Scales the numerator of the first stage so that |H| at w radians per sample becomes gain.
void NormaliseCascade(BiquadCoefficients* stages, int stageCount, double w, double gain);

// Second-order sections applied in order, stage 0 first.
template <int MaxStagesCount>
struct BiquadCascade
{
  static constexpr int kMaxStages = MaxStagesCount;

  Complex Response(double f) const { return CascadeResponse(stages, stageCount, f); }

  // One stage per pair of the layout, then the gain normalisation the layout asks for.
  template <int MaxPoles>
  void SetFromLayout(const PoleZeroLayout<MaxPoles>& layout)
  {
    static_assert(PoleZeroLayout<MaxPoles>::kMaxPairs <= MaxStagesCount, "cascade too small");
    stageCount = layout.PairCount();
    for (int i = 0; i < stageCount; ++i) stages[i].SetFromPair(layout.pairs[i]);
    NormaliseCascade(stages, stageCount, layout.normalW, layout.normalGain);
  }

  int stageCount = 0;
  int maxStages = MaxStagesCount;
  BiquadCoefficients stages[MaxStagesCount];
};

}  // namespace Dsp
