#pragma once

#include <cstring>

#include "dsp/filters/BiquadCascade.h"
#include "dsp/filters/DenormalGuard.h"
#include "dsp/filters/StereoPair.h"

namespace Dsp {

// One channel's history for a cascade, in the form its History type computes: the stage holds
// one biquad's delayed values and steps them by a sample (StepFirst adds the denormal guard,
// which only the first stage receives).
template <template <class> class History, int MaxStages> class DirectForm
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
  static void RunBlock(DirectForm* states, const BiquadCascade<MaxStages>& cascade, Sample* const* channels,
                       int begin, int end)
  {
    if constexpr (Channels == 2) {
      RunPaired(states, cascade, channels, begin, end);
    } else {
      switch (cascade.stageCount) {
        case 1: return RunStages<1, Channels>(states, cascade, channels, begin, end);
        case 2:
          if constexpr (MaxStages >= 2) return RunStages<2, Channels>(states, cascade, channels, begin, end);
          break;
        default: break;
      }
      for (int i = begin; i < end; ++i)
        for (int c = 0; c < Channels; ++c)
          channels[c][i] =
            static_cast<Sample>(states[c].Process(static_cast<double>(channels[c][i]), cascade));
    }
  }

  class FullRun;

  // A stereo pair of states stepped one sample at a time, both channels in one register,
  // alongside other filters in the same loop: the arithmetic of Process for each channel.
  // The histories live in the object until Store writes them back.
  class PairedRun
  {
  public:
    PairedRun(DirectForm* pair, const BiquadCascade<MaxStages>& cascade)
        : states(pair), count(cascade.stageCount), g{pair[0].guard.value, pair[1].guard.value}
    {
      // Every stage's history: a glide (StepThrough) may use more stages than the cascade.
      for (int k = 0; k < MaxStages; ++k) h[k] = Paired(pair[0].stages[k], pair[1].stages[k]);
      for (int k = 0; k < count; ++k) co[k] = cascade.stages[k];
    }

    StereoPair Step(StereoPair x) { return StepStages(x, co, count); }

    // Whether the cascade has every stage the form holds; StepFull is then Step with the
    // stage loop unrolled and no stage count tested per sample.
    bool Full() const { return count == MaxStages; }
    using Unrolled = FullRun;

    StereoPair StepFull(StereoPair x)
    {
      g = -g;
      StereoPair y = History<StereoPair>::StepFirst(h[0], co[0], x, g);
      for (int k = 1; k < MaxStages; ++k) y = History<StereoPair>::Step(h[k], co[k], y);
      return y;
    }

    // A step through a cascade other than the one the run began with: a glide redesigns
    // it at every sample.
    StereoPair StepThrough(StereoPair x, const BiquadCascade<MaxStages>& cascade)
    {
      return StepStages(x, cascade.stages, cascade.stageCount);
    }

    void Store() const
    {
      for (int k = 0; k < MaxStages; ++k) Unpaired(h[k], states[0].stages[k], states[1].stages[k]);
      states[0].guard.value = g[0];
      states[1].guard.value = g[1];
    }

  private:
    StereoPair StepStages(StereoPair x, const BiquadCoefficients* stageCoefficients, int stageCount)
    {
      g = -g;
      if (stageCount == 0) return x;
      StereoPair y = History<StereoPair>::StepFirst(h[0], stageCoefficients[0], x, g);
      for (int k = 1; k < stageCount && k < MaxStages; ++k)
        y = History<StereoPair>::Step(h[k], stageCoefficients[k], y);
      return y;
    }

    DirectForm* states;
    int count;
    StereoPair g;
    History<StereoPair> h[MaxStages];
    BiquadCoefficients co[MaxStages];
  };

  // A full paired run (PairedRun::Full) whose Step is StepFull, for a loop body written once
  // for either kind of run.
  class FullRun : public PairedRun
  {
  public:
    explicit FullRun(const PairedRun& run) : PairedRun(run) {}
    StereoPair Step(StereoPair x) { return this->StepFull(x); }
  };

  Stage stages[MaxStages];
  DenormalGuard guard;

private:
  template <int Stages, int Channels, class Sample>
  static void RunStages(DirectForm* states, const BiquadCascade<MaxStages>& cascade, Sample* const* channels,
                        int begin, int end)
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
  template <class Sample>
  static void RunPaired(DirectForm* states, const BiquadCascade<MaxStages>& cascade, Sample* const* channels,
                        int begin, int end)
  {
    PairedRun run(states, cascade);
    Sample* left = channels[0];
    Sample* right = channels[1];
    for (int i = begin; i < end; ++i) {
      const StereoPair y = run.Step(StereoPair{static_cast<double>(left[i]), static_cast<double>(right[i])});
      left[i] = static_cast<Sample>(y[0]);
      right[i] = static_cast<Sample>(y[1]);
    }
    run.Store();
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

// Calls body with copies of the paired runs, unrolled (FullRun) when every run is full. A
// body that takes them by value, loops over the samples and stores them at its end holds
// their histories in locals that nothing else reaches: in registers for the whole loop.
template <class Body, class... Runs> void WithLocalRuns(Body&& body, const Runs&... runs)
{
  if ((runs.Full() && ...))
    body(typename Runs::Unrolled(runs)...);
  else
    body(runs...);
}

}  // namespace Dsp
