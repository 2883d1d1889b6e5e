#pragma once

namespace Dsp {

// A stereo filter whose main design can be stepped sample by sample alongside other filters
// in one loop (State::PairedRun), for a caller that knows only the state type. While a glide
// runs, the design changes from sample to sample: ProcessSamples then.
template <class State> class PairedFilter
{
public:
  virtual bool Gliding() const = 0;
  virtual typename State::PairedRun RunPaired() = 0;

protected:
  ~PairedFilter() = default;
};

}  // namespace Dsp
