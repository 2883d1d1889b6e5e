#pragma once

#include <memory>
#include <vector>

#include "dsp/AudioProcessingUnit.h"
#include "dsp/filters/Butterworth.h"
#include "dsp/filters/DirectFormI.h"
#include "dsp/filters/SmoothedFilterDesign.h"

namespace Kernwave {

// Bass and treble shelves in series and a mid band added or cut. Above its centre the mid
// knob adds a band-passed copy of the unit's input; below it the shelved signal crossfades
// towards a band-stopped copy of the input. All three knobs at 0.5 leave the signal as is.
class Equalizer : public AudioProcessingUnit
{
public:
  static constexpr int kTransitionLength = 512;
  using LowShelf = Dsp::SmoothedFilterDesign<Dsp::Butterworth::Design::LowShelf<2>, 2, Dsp::DirectFormI>;
  using HighShelf = Dsp::SmoothedFilterDesign<Dsp::Butterworth::Design::HighShelf<2>, 2, Dsp::DirectFormI>;
  using BandPass = Dsp::SmoothedFilterDesign<Dsp::Butterworth::Design::BandPass<2>, 2, Dsp::DirectFormI>;
  using BandStop = Dsp::SmoothedFilterDesign<Dsp::Butterworth::Design::BandStop<2>, 2, Dsp::DirectFormI>;

  Equalizer();
  ~Equalizer() override;
  void SetSampleRate(double rate) override;
  void SetBassAmount(double v);
  void SetMidAmount(double v) { midAmount = v; }
  void SetHighAmount(double v);
  int Capacity() const { return capacity; }
  void EnsureCapacity(int n);
  void ClearFilters();
  void ProcessStereo(double* left, double* right, int n);

  const LowShelf& LowShelfFilter() const { return *lowShelf; }
  const HighShelf& HighShelfFilter() const { return *highShelf; }
  const BandPass& BandPassFilter() const { return *bandPass; }
  const BandStop& BandStopFilter() const { return *bandStop; }

private:
  void ResizeBuffers();
  void ProcessSlice(double* left, double* right, int n);

  double lowShelfFrequency = 400;
  std::unique_ptr<LowShelf> lowShelf;
  Dsp::FilterParams lowShelfParams;
  double midCenterFrequency = 2400;
  double midBandwidth = 4000;
  std::unique_ptr<BandPass> bandPass;
  std::unique_ptr<BandStop> bandStop;
  Dsp::FilterParams bandPassParams;
  Dsp::FilterParams bandStopParams;
  double highShelfFrequency = 4400;
  std::unique_ptr<HighShelf> highShelf;
  Dsp::FilterParams highShelfParams;
  int capacity = 128;
  double midAmount = 0.0;
  std::vector<double> shelfLeft, shelfRight, midLeft, midRight;
};

}  // namespace Kernwave
