#pragma once

#include "dsp/filters/FilterDesign.h"
#include "dsp/filters/PairedFilter.h"

namespace Dsp {

// A filter that glides every parameter linearly to its new value over transitionLength
// samples, redesigning at each of those samples. The first assignment does not glide.
template <class Design, int Channels, template <int> class StateType>
class SmoothedFilterDesign : public FilterDesign<Design, Channels, StateType>,
                             public PairedFilter<typename FilterDesign<Design, Channels, StateType>::State>
{
  using Base = FilterDesign<Design, Channels, StateType>;

public:
  explicit SmoothedFilterDesign(int transitionSamples) : transitionLength(transitionSamples) {}

  bool Gliding() const override { return remainingSamples > 0; }
  typename Base::State::PairedRun RunPaired() override { return Base::RunPaired(); }

  void ProcessSamples(int numSamples, double* const* channels) override { Process(numSamples, channels); }

  void ProcessSamples(int numSamples, float* const* channels) override { Process(numSamples, channels); }

  const Design& TransitionDesign() const { return transitionDesign; }
  const FilterParams& TransitionParams() const { return transitionParams; }
  int RemainingSamples() const { return remainingSamples; }

protected:
  void ApplyParams(const FilterParams& p) override
  {
    if (remainingSamples < 0) {
      remainingSamples = 0;
      transitionParams = p;
    } else {
      remainingSamples = transitionLength;
    }
    Base::ApplyParams(p);
  }

private:
  template <class Sample> void Process(int n, Sample* const* channels)
  {
    if (n <= 0 || !channels) return;
    const int k = n < remainingSamples ? n : remainingSamples;
    if (k > 0) Glide(k, channels);
    if (n - k > 0) this->Run(k, n, channels);
  }

  // The first k samples, each through a design made from the gliding parameters.
  template <class Sample> void Glide(int k, Sample* const* channels)
  {
    const FilterParams& target = this->CurrentParams();
    double step[Design::kParamCount];
    for (int i = 0; i < Design::kParamCount; ++i)
      step[i] = (target[i] - transitionParams[i]) / remainingSamples;
    if constexpr (Channels == 2) {
      if (channels[0] && channels[1])
        GlidePaired(k, step, channels[0], channels[1]);
      else
        GlideEach(k, step, channels);
    } else {
      GlideEach(k, step, channels);
    }
    remainingSamples -= k;
    if (remainingSamples == 0) transitionParams = target;
  }

  // Each channel on its own, a missing one skipped.
  template <class Sample> void GlideEach(int k, const double* step, Sample* const* channels)
  {
    for (int s = 0; s < k; ++s) {
      const auto& cascade = Redesign(step);
      for (int c = 0; c < Channels; ++c) {
        Sample* x = channels[c];
        if (x) x[s] = static_cast<Sample>(this->states[c].Process(static_cast<double>(x[s]), cascade));
      }
    }
  }

  // Both channels of a stereo pair in one register.
  template <class Sample> void GlidePaired(int k, const double* step, Sample* left, Sample* right)
  {
    typename Base::State::PairedRun run(this->states, transitionDesign.Cascade());
    for (int s = 0; s < k; ++s) {
      const StereoPair y = run.StepThrough(
        StereoPair{static_cast<double>(left[s]), static_cast<double>(right[s])}, Redesign(step));
      left[s] = static_cast<Sample>(y[0]);
      right[s] = static_cast<Sample>(y[1]);
    }
    run.Store();
  }

  // Moves the parameters one step on and designs the transition from them.
  const auto& Redesign(const double* step)
  {
    for (int i = 0; i < Design::kParamCount; ++i) transitionParams[i] += step[i];
    transitionDesign.Apply(transitionParams);
    return transitionDesign.Cascade();
  }

  FilterParams transitionParams;
  Design transitionDesign;
  int transitionLength;
  int remainingSamples = -1;
};

}  // namespace Dsp
