#pragma once

#include "dsp/filters/BandEdges.h"
#include "dsp/filters/BandImages.h"

namespace Dsp {

// Transform of an s-plane low-pass prototype to a digital band-pass with centre fc and
// width bw (cycles per sample). Infinity goes to -1 and +1; the normalisation moves to the
// band centre.
class BandPassTransform
{
public:
  BandPassTransform(double fc, double bw);
  BandImages Map(Complex c) const;
  double NormalW(double analogW) const;
  void SeparateZeros(BandImages&) const {}

  template <int AnalogPoles, int DigitalPoles>
  void Apply(const PoleZeroLayout<AnalogPoles>& analog, PoleZeroLayout<DigitalPoles>& digital) const
  {
    AddBandPairs(*this, analog, digital);
  }

private:
  BandEdges edges;
  double b;
  double q;
};

}  // namespace Dsp
