#pragma once

#include "dsp/filters/BandPassTransform.h"
#include "dsp/filters/BandStopTransform.h"
#include "dsp/filters/ButterworthLowPassPrototype.h"
#include "dsp/filters/ButterworthLowShelfPrototype.h"
#include "dsp/filters/CascadeDesign.h"
#include "dsp/filters/FilterKind.h"
#include "dsp/filters/HighPassTransform.h"
#include "dsp/filters/LowPassTransform.h"
#include "dsp/filters/NyquistLimit.h"
#include "dsp/filters/ParamRecords.h"

namespace Dsp::Butterworth {

// Shelves. Parameters: sample rate, order, cutoff, gain (dB).
template <int MaxOrder, class Transform> class ShelfDesign : public CascadeDesign<MaxOrder, MaxOrder>
{
public:
  static ParamInfo DescribeParam(int index)
  {
    switch (index) {
      case 0: return ParamRecords::SampleRate();
      case 1: return ParamRecords::Order(MaxOrder);
      case 2: return ParamRecords::CutoffFrequency();
      default: return ParamRecords::Gain();
    }
  }

  void Apply(const FilterParams& p)
  {
    DesignButterworthLowShelf(this->analog, this->OrderOf(p), p[3]);
    this->Finish(Transform(LimitBelowNyquist(p[2], p[0]) / p[0]));
  }
};

// Band designs. Parameters: sample rate, order, centre, bandwidth (Hz).
template <int MaxOrder, class Transform> class BandDesign : public CascadeDesign<MaxOrder, 2 * MaxOrder>
{
public:
  static ParamInfo DescribeParam(int index)
  {
    switch (index) {
      case 0: return ParamRecords::SampleRate();
      case 1: return ParamRecords::Order(MaxOrder);
      case 2: return ParamRecords::CenterFrequency();
      default: return ParamRecords::BandwidthHz();
    }
  }

  void Apply(const FilterParams& p)
  {
    DesignButterworthLowPass(this->analog, this->OrderOf(p));
    const double fs = p[0];
    this->Finish(Transform(p[2] / fs, p[3] / fs));
  }
};

namespace Design {

// The shelf gain applies below the cutoff.
template <int MaxOrder> class LowShelf : public ShelfDesign<MaxOrder, LowPassTransform>
{
public:
  static constexpr FilterKind kKind = FilterKind::LowShelf;
  static const char* Name() { return "Butterworth Low Shelf"; }
};

// The shelf gain applies above the cutoff.
template <int MaxOrder> class HighShelf : public ShelfDesign<MaxOrder, HighPassTransform>
{
public:
  static constexpr FilterKind kKind = FilterKind::HighShelf;
  static const char* Name() { return "Butterworth High Shelf"; }
};

template <int MaxOrder> class BandPass : public BandDesign<MaxOrder, BandPassTransform>
{
public:
  static constexpr FilterKind kKind = FilterKind::BandPass;
  static const char* Name() { return "Butterworth Band Pass"; }
};

template <int MaxOrder> class BandStop : public BandDesign<MaxOrder, BandStopTransform>
{
public:
  static constexpr FilterKind kKind = FilterKind::BandStop;
  static const char* Name() { return "Butterworth Band Stop"; }
};

}  // namespace Design
}  // namespace Dsp::Butterworth
