#pragma once

#include <cstring>

#include "dsp/filters/BiquadCascade.h"
#include "dsp/filters/DenormalGuard.h"
#include "dsp/filters/StereoPair.h"

namespace Dsp {

// One channel's history for a cascade, in the form its History type computes: the stage holds
// one biquad's delayed values and steps them by a sample (StepFirst adds the denormal guard,
// which only the first stage receives).
template <template <class> class History, int MaxStages>
class DirectForm
{
public:
  using Stage = History<double>;

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
    if constexpr (Channels == 2)
      RunPairedStages<Stages>(states, cascade, channels, begin, end);
    else
      RunSeparateStages<Stages, Channels>(states, cascade, channels, begin, end);
  }

  // Each channel in a register of its own, the channels interleaved sample by sample.
  template <int Stages, int Channels, class Sample>
  static void RunSeparateStages(DirectForm* states, const BiquadCascade<MaxStages>& cascade,
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

  // The same for a stereo pair of states, both channels in one register.
  template <int Stages, class Sample>
  static void RunPairedStages(DirectForm* states, const BiquadCascade<MaxStages>& cascade,
                              Sample* const* channels, int begin, int end)
  {
    using PairStage = History<StereoPair>;
    PairStage h[Stages];
    for (int k = 0; k < Stages; ++k) h[k] = Paired(states[0].stages[k], states[1].stages[k]);
    StereoPair g = {states[0].guard.value, states[1].guard.value};
    BiquadCoefficients co[Stages];
    for (int k = 0; k < Stages; ++k) co[k] = cascade.stages[k];
    Sample* left = channels[0];
    Sample* right = channels[1];
    for (int i = begin; i < end; ++i) {
      g = -g;
      const StereoPair x = {static_cast<double>(left[i]), static_cast<double>(right[i])};
      StereoPair y = PairStage::StepFirst(h[0], co[0], x, g);
      for (int k = 1; k < Stages; ++k) y = PairStage::Step(h[k], co[k], y);
      left[i] = static_cast<Sample>(y[0]);
      right[i] = static_cast<Sample>(y[1]);
    }
    for (int k = 0; k < Stages; ++k) Unpaired(h[k], states[0].stages[k], states[1].stages[k]);
    states[0].guard.value = g[0];
    states[1].guard.value = g[1];
  }

  // A history is a row of doubles (or of pairs, field for field).
  static constexpr int kFields = sizeof(Stage) / sizeof(double);
  static_assert(sizeof(History<StereoPair>) == kFields * sizeof(StereoPair), "fields only");

  static History<StereoPair> Paired(const Stage& left, const Stage& right)
  {
    double l[kFields], r[kFields];
    std::memcpy(l, &left, sizeof l);
    std::memcpy(r, &right, sizeof r);
    StereoPair fields[kFields];
    for (int f = 0; f < kFields; ++f) fields[f] = StereoPair{l[f], r[f]};
    History<StereoPair> paired;
    std::memcpy(&paired, fields, sizeof fields);
    return paired;
  }

  static void Unpaired(const History<StereoPair>& paired, Stage& left, Stage& right)
  {
    StereoPair fields[kFields];
    std::memcpy(fields, &paired, sizeof fields);
    double l[kFields], r[kFields];
    for (int f = 0; f < kFields; ++f) {
      l[f] = fields[f][0];
      r[f] = fields[f][1];
    }
    std::memcpy(&left, l, sizeof l);
    std::memcpy(&right, r, sizeof r);
  }
};

}  // namespace Dsp
