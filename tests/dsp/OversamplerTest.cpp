#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "dsp/HalfBandCoefficients.h"
#include "dsp/HalfBandFilter.h"
#include "dsp/Oversampler.h"

using Kernwave::HalfBandDecimator;
using Kernwave::HalfBandInterpolator;
using Kernwave::Oversampler;

namespace {

constexpr double kPi = 3.141592653589793;

// The filter's impulse response, read from the interpolator: a unit impulse comes out as
// twice the taps.
std::vector<double> ImpulseResponse(const double* taps, int numTaps)
{
  const int length = 4 * numTaps - 1;
  HalfBandInterpolator up(taps, numTaps);
  up.SetCapacity(length);
  std::vector<double> in(static_cast<size_t>(length), 0.0), out(2 * in.size());
  in[0] = 1.0;
  up.Process(in.data(), length, out.data());
  out.resize(static_cast<size_t>(length));
  for (double& h : out) h *= 0.5;
  return out;
}

// |H(f)| for f a fraction of the filter's rate.
double Magnitude(const std::vector<double>& h, double f)
{
  double re = 0.0, im = 0.0;
  for (size_t n = 0; n < h.size(); ++n) {
    re += h[n] * std::cos(2.0 * kPi * f * n);
    im -= h[n] * std::sin(2.0 * kPi * f * n);
  }
  return std::hypot(re, im);
}

struct Design
{
  const double* taps;
  int numTaps;
  double passbandEdge;
};

const Design kDesigns[] = {
  {Kernwave::HalfBand::kHostToDouble, Kernwave::HalfBand::kHostToDoubleTaps, 0.2},
  {Kernwave::HalfBand::kDoubleToQuadruple, Kernwave::HalfBand::kDoubleToQuadrupleTaps, 0.15},
};

double Rms(const double* x, int n)
{
  double sum = 0.0;
  for (int i = 0; i < n; ++i) sum += x[i] * x[i];
  return std::sqrt(sum / n);
}

}  // namespace

// What the coefficient header promises: at most 0.001 dB of passband ripple, at least 80 dB
// of stopband rejection, and a symmetric (linear-phase) response centred 2k + 1 samples in.
TEST(HalfBandFilter, ResponseMeetsTheDesign)
{
  for (const Design& d : kDesigns) {
    const std::vector<double> h = ImpulseResponse(d.taps, d.numTaps);
    const int centre = 2 * d.numTaps - 1;
    EXPECT_EQ(h[centre], 0.5);
    for (int m = 1; m <= centre; ++m) EXPECT_EQ(h[centre - m], h[centre + m]) << m;
    for (int m = 2; m <= centre; m += 2) EXPECT_EQ(h[centre + m], 0.0) << m;

    double ripple = 0.0, leak = 0.0;
    for (int i = 0; i <= 500; ++i) {
      ripple = std::fmax(ripple, std::fabs(20.0 * std::log10(Magnitude(h, d.passbandEdge * i / 500))));
      leak = std::fmax(leak, Magnitude(h, 0.5 - d.passbandEdge + d.passbandEdge * i / 500));
    }
    EXPECT_LT(ripple, 0.001) << d.numTaps;
    EXPECT_LT(20.0 * std::log10(leak), -80.0) << d.numTaps;
    EXPECT_NEAR(Magnitude(h, 0.25), 0.5, 1e-9);  // half-band: -6 dB at a quarter of the rate
  }
}

// Up and down again: a passband sine comes back delayed by the stated round trip, whatever the
// block lengths and capacity, and a tone the section puts above the lower rate's band is gone.
TEST(Oversampler, RoundTripDelaysByTheStatedSamplesAndRemovesWhatWouldFold)
{
  for (int factor : {2, 4}) {
    const double delay = Oversampler::RoundTripDelay(factor) / static_cast<double>(factor);
    const double f = 0.17;  // of the lower rate
    const int n = 3000;
    std::vector<double> left(n), right(n);
    for (int i = 0; i < n; ++i) left[i] = right[i] = std::sin(2.0 * kPi * f * i);

    Oversampler os;
    os.SetCapacity(128);
    int high = 0;
    for (int done = 0; done < n;) {
      const int block = std::min(n - done, 1 + (done * 7) % 300);  // some longer than capacity
      os.Process(factor, left.data() + done, right.data() + done, block,
                 [&](double* l, double* r, int count) {
                   // A tone at 0.45 of the higher rate on the right channel only.
                   for (int i = 0; i < count; ++i, ++high) r[i] = std::cos(2.0 * kPi * 0.45 * high);
                   (void)l;
                 });
      done += block;
    }
    double error = 0.0;
    for (int i = 200; i < n; ++i)
      error = std::fmax(error, std::fabs(left[i] - std::sin(2.0 * kPi * f * (i - delay))));
    EXPECT_LT(error, 5e-4) << factor;
    EXPECT_LT(Rms(right.data() + 200, n - 200), 1e-4) << factor;
  }
}
