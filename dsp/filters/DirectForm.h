#pragma once

#include "dsp/filters/BiquadCascade.h"
#include "dsp/filters/DenormalGuard.h"

namespace Dsp {

// One channel's history for a cascade, in the form its Stage type computes: the stage holds
// one biquad's delayed values and steps them by a sample (StepFirst adds the denormal guard,
// which only the first stage receives).
template <class StageType, int MaxStages>
class DirectForm
{
public:
  using Stage = StageType;

  void Clear()
  {
    for (Stage& s : stages) s = Stage();
  }

  double Process(double x, const BiquadCascade<MaxStages>& cascade)
  {
    const double g = guard.Next();
    const int count = cascade.stageCount;
    if (count == 0) return x;
    double y = Stage::StepFirst(stages[0], cascade.stages[0], x, g);
    for (int i = 1; i < count; ++i) y = Stage::Step(stages[i], cascade.stages[i], y);
    return y;
  }

  // Samples begin..end-1 of the channels through the cascade, one state per channel, the
  // channels side by side: the same arithmetic as Process, with the histories held in
  // locals for the whole run instead of a store and a load on every recursion.
  template <int Channels, class Sample>
  static void RunBlock(DirectForm* states, const BiquadCascade<MaxStages>& cascade,
                       Sample* const* channels, int begin, int end)
  {
    switch (cascade.stageCount) {
      case 1: return RunStages<1, Channels>(states, cascade, channels, begin, end);
      case 2:
        if constexpr (MaxStages >= 2) return RunStages<2, Channels>(states, cascade, channels, begin, end);
        break;
      default: break;
    }
    for (int i = begin; i < end; ++i)
      for (int c = 0; c < Channels; ++c)
        channels[c][i] = static_cast<Sample>(states[c].Process(static_cast<double>(channels[c][i]), cascade));
  }

  Stage stages[MaxStages];
  DenormalGuard guard;

private:
  template <int Stages, int Channels, class Sample>
  static void RunStages(DirectForm* states, const BiquadCascade<MaxStages>& cascade,
                        Sample* const* channels, int begin, int end)
  {
    Stage h[Channels][Stages];
    double g[Channels];
    for (int c = 0; c < Channels; ++c) {
      for (int k = 0; k < Stages; ++k) h[c][k] = states[c].stages[k];
      g[c] = states[c].guard.value;
    }
    BiquadCoefficients co[Stages];
    for (int k = 0; k < Stages; ++k) co[k] = cascade.stages[k];
    for (int i = begin; i < end; ++i) {
      for (int c = 0; c < Channels; ++c) {
        g[c] = -g[c];
        double y = Stage::StepFirst(h[c][0], co[0], static_cast<double>(channels[c][i]), g[c]);
        for (int k = 1; k < Stages; ++k) y = Stage::Step(h[c][k], co[k], y);
        channels[c][i] = static_cast<Sample>(y);
      }
    }
    for (int c = 0; c < Channels; ++c) {
      for (int k = 0; k < Stages; ++k) states[c].stages[k] = h[c][k];
      states[c].guard.value = g[c];
    }
  }
};

}  // namespace Dsp
