#pragma once

#include "dsp/filters/BandEdges.h"
#include "dsp/filters/BandImages.h"

namespace Dsp {

// Transform of an s-plane low-pass prototype to a digital band-stop with centre fc and
// width bw (cycles per sample). Infinity goes to the two notch points on the unit circle;
// the normalisation moves to Nyquist for a centre below fs/4, else to DC.
class BandStopTransform
{
public:
  BandStopTransform(double fc, double bw);
  BandImages Map(Complex c) const;
  double NormalW(double analogW) const;
  // Two equal zero images of a conjugate pair would leave one notch point twice and its
  // conjugate not at all.
  void SeparateZeros(BandImages& z) const
  {
    if (z.first == z.second) z.second = std::conj(z.first);
  }

  template <int AnalogPoles, int DigitalPoles>
  void Apply(const PoleZeroLayout<AnalogPoles>& analog, PoleZeroLayout<DigitalPoles>& digital) const
  {
    AddBandPairs(*this, analog, digital);
  }

private:
  double fc;
  BandEdges edges;
  double b;
};

}  // namespace Dsp
