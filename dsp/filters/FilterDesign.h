#pragma once

#include "dsp/filters/FilterDesignBase.h"

namespace Dsp {

// A design with one history per channel. StateType is DirectFormI or DirectFormII.
template <class Design, int Channels, template <int> class StateType>
class FilterDesign : public FilterDesignBase<Design>
{
public:
  using State = StateType<Design::kMaxStages>;

  int ChannelCount() const override { return Channels; }

  void ClearState() override
  {
    for (State& s : states) s.Clear();
  }

  void ProcessSamples(int numSamples, double* const* channels) override { Run(0, numSamples, channels); }

  void ProcessSamples(int numSamples, float* const* channels) override { Run(0, numSamples, channels); }

  // The two channels' states through the main design, to step sample by sample alongside
  // other filters (two channels only); Store() on the result writes the histories back.
  typename State::PairedRun RunPaired()
  {
    static_assert(Channels == 2, "a stereo pair");
    return typename State::PairedRun(states, this->Designed().Cascade());
  }

protected:
  void ApplyParams(const FilterParams&) override { this->DesignLater(); }

  // Samples begin..end-1 of every channel through the main design. The channels are
  // independent recursions, so running them side by side per sample lets their latencies
  // overlap (the state type's RunBlock).
  template <class Sample> void Run(int begin, int end, Sample* const* channels)
  {
    if (!channels) return;
    for (int c = 0; c < Channels; ++c)
      if (!channels[c]) return RunEach(begin, end, channels);
    State::template RunBlock<Channels>(states, this->Designed().Cascade(), channels, begin, end);
  }

  State states[Channels];

private:
  // The same with some channels missing.
  template <class Sample> void RunEach(int begin, int end, Sample* const* channels)
  {
    const auto& cascade = this->Designed().Cascade();
    for (int c = 0; c < Channels; ++c) {
      Sample* x = channels[c];
      if (!x) continue;
      for (int i = begin; i < end; ++i)
        x[i] = static_cast<Sample>(states[c].Process(static_cast<double>(x[i]), cascade));
    }
  }
};

}  // namespace Dsp
