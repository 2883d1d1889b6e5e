#include <gtest/gtest.h>

#include <cmath>

#include "dsp/filters/Butterworth.h"
#include "dsp/filters/ChebyshevI.h"
#include "dsp/filters/MathConstants.h"

using namespace Dsp;
using Dsp::kPi;

// The designs are checked against the textbook magnitude responses: the analog prototype's
// |H(j W)| at the frequency the bilinear transform maps each digital frequency to.
namespace {

FilterParams Params(double fs, double order, double f, double last)
{
  FilterParams p;
  p[0] = fs;
  p[1] = order;
  p[2] = f;
  p[3] = last;
  return p;
}

// Chebyshev polynomial of the first kind.
double Chebyshev(int n, double x)
{
  if (std::fabs(x) <= 1.0) return std::cos(n * std::acos(x));
  const double t = std::cosh(n * std::acosh(std::fabs(x)));
  return x < 0.0 && n % 2 == 1 ? -t : t;
}

double ChebyshevMagnitude(int n, double rippleDb, double W)
{
  const double eps2 = std::pow(10.0, rippleDb / 10.0) - 1.0;
  const double t = Chebyshev(n, W);
  return 1.0 / std::sqrt(1.0 + eps2 * t * t);
}

double ButterworthMagnitude(int n, double W) { return 1.0 / std::sqrt(1.0 + std::pow(W, 2.0 * n)); }

// Digital frequencies from 10 Hz to just under Nyquist, in radians per sample.
template <class Check> void ForFrequencies(double fs, Check check)
{
  for (double f = 10.0; f < 0.499 * fs; f *= 1.05) check(2.0 * kPi * f / fs);
}

template <class Design> double Magnitude(const Design& d, double w)
{
  return std::abs(d.Cascade().Response(w / (2.0 * kPi)));
}

}  // namespace

TEST(CascadeDesign, ChebyshevPassMatchesTheClosedForm)
{
  for (int n : {2, 4})
    for (double ripple : {0.01, 1.0, 6.0005, 12.0})
      for (double fc : {100.0, 2000.0, 15000.0}) {
        ChebyshevI::Design::LowPass<4> lp;
        ChebyshevI::Design::HighPass<4> hp;
        lp.Apply(Params(44100, n, fc, ripple));
        hp.Apply(Params(44100, n, fc, ripple));
        const double k = std::tan(kPi * fc / 44100);
        ForFrequencies(44100, [&](double w) {
          const double W = std::tan(w / 2) / k;
          EXPECT_NEAR(Magnitude(lp, w), ChebyshevMagnitude(n, ripple, W), 1e-9) << n << " " << fc << " " << w;
          EXPECT_NEAR(Magnitude(hp, w), ChebyshevMagnitude(n, ripple, 1.0 / W), 1e-9)
            << n << " " << fc << " " << w;
        });
      }
}

TEST(CascadeDesign, ButterworthBandsMatchTheClosedForm)
{
  // The band edges w1, w2 map to W = -1 and +1; the centre cos(w0) = a to W = 0.
  for (double fs : {44100.0, 96000.0})
    for (double centre : {600.0, 2400.0, 9000.0}) {
      Butterworth::Design::BandPass<2> bp;
      Butterworth::Design::BandStop<2> bs;
      bp.Apply(Params(fs, 2, centre, 800.0));
      bs.Apply(Params(fs, 2, centre, 800.0));
      const double w1 = 2.0 * kPi * (centre - 400.0) / fs;
      const double w2 = 2.0 * kPi * (centre + 400.0) / fs;
      const double a = std::cos((w1 + w2) / 2) / std::cos((w2 - w1) / 2);
      const double t = std::tan((w2 - w1) / 2);
      ForFrequencies(fs, [&](double w) {
        const double Wbp = (a - std::cos(w)) / (t * std::sin(w));
        const double Wbs = t * std::sin(w) / (std::cos(w) - a);
        EXPECT_NEAR(Magnitude(bp, w), ButterworthMagnitude(2, Wbp), 1e-9) << centre << " " << w;
        EXPECT_NEAR(Magnitude(bs, w), ButterworthMagnitude(2, Wbs), 1e-9) << centre << " " << w;
      });
    }
}

TEST(CascadeDesign, ShelfAtZeroDbIsFlat)
{
  Butterworth::Design::LowShelf<2> low;
  Butterworth::Design::HighShelf<2> high;
  low.Apply(Params(44100, 2, 400, 0.0));
  high.Apply(Params(44100, 2, 4400, 0.0));
  ForFrequencies(44100, [&](double w) {
    EXPECT_NEAR(Magnitude(low, w), 1.0, 1e-14);
    EXPECT_NEAR(Magnitude(high, w), 1.0, 1e-14);
  });
}

TEST(CascadeDesign, ShelfGainsAtDcAndNyquist)
{
  for (double gain : {-24.0, -6.0, 3.0, 24.0}) {
    Butterworth::Design::LowShelf<2> low;
    Butterworth::Design::HighShelf<2> high;
    low.Apply(Params(44100, 2, 400, gain));
    high.Apply(Params(44100, 2, 4400, gain));
    const double g = std::pow(10.0, gain / 20.0);
    EXPECT_NEAR(Magnitude(low, 0.0), g, 1e-12 * g);
    EXPECT_NEAR(Magnitude(low, kPi), 1.0, 1e-12);
    EXPECT_NEAR(Magnitude(high, kPi), g, 1e-12 * g);
    EXPECT_NEAR(Magnitude(high, 0.0), 1.0, 1e-12);
  }
}

TEST(CascadeDesign, ChebyshevDcGainDependsOnTheOrdersParity)
{
  for (double ripple : {0.5, 3.0}) {
    for (int n : {1, 2, 3, 4}) {
      ChebyshevI::Design::LowPass<4> lp;
      ChebyshevI::Design::HighPass<4> hp;
      lp.Apply(Params(48000, n, 1000, ripple));
      hp.Apply(Params(48000, n, 1000, ripple));
      const double expected = n % 2 == 1 ? 1.0 : std::pow(10.0, -ripple / 20.0);
      EXPECT_NEAR(Magnitude(lp, 0.0), expected, 1e-12) << n;
      EXPECT_NEAR(Magnitude(hp, kPi), expected, 1e-12) << n;
      EXPECT_EQ(lp.Layout().poleCount, n);
      EXPECT_EQ(lp.Cascade().stageCount, (n + 1) / 2);
    }
  }
}

TEST(CascadeDesign, OrderIsTruncatedAndHeldInRange)
{
  ChebyshevI::Design::LowPass<4> lp;
  lp.Apply(Params(44100, 2.99, 1000, 1));
  EXPECT_EQ(lp.Layout().poleCount, 2);
  lp.Apply(Params(44100, 9, 1000, 1));
  EXPECT_EQ(lp.Layout().poleCount, 4);
  lp.Apply(Params(44100, std::nan(""), 1000, 1));
  EXPECT_EQ(lp.Layout().poleCount, 1);
}

TEST(CascadeDesign, BandEdgesAreLimitedAfterBothAreComputed)
{
  const double fc = 0.01, bw = 0.05;
  const BandEdges low(fc, bw);
  EXPECT_EQ(low.w1, 1e-8);
  EXPECT_EQ(low.w2, (2 * kPi * fc - 2 * kPi * bw / 2) + 2 * kPi * bw);  // from the unclamped w1
  const BandEdges high(0.48, 0.1);
  EXPECT_EQ(high.w2, 3.141592643589793);
  EXPECT_EQ(high.w1, 2 * kPi * 0.48 - 2 * kPi * 0.1 / 2);
  EXPECT_DOUBLE_EQ(high.a, std::cos((high.w1 + high.w2) / 2) / std::cos((high.w2 - high.w1) / 2));
}

TEST(CascadeDesign, BandStopNormalisesAtNyquistBelowAQuarterOfTheRate)
{
  for (double fc : {0.2499, 0.25, 0.3}) {
    Butterworth::Design::BandStop<2> bs;
    bs.Apply(Params(40000, 2, fc * 40000, 2000));
    const bool below = fc < 0.25;
    EXPECT_EQ(bs.Layout().normalW, below ? kPi : 0.0) << fc;
    EXPECT_NEAR(Magnitude(bs, below ? kPi : 0.0), 1.0, 1e-12) << fc;
  }
}

TEST(CascadeDesign, BandPassIsNormalisedAtItsCentre)
{
  Butterworth::Design::BandPass<2> bp;
  bp.Apply(Params(44100, 2, 2400, 4000));
  const double w = bp.Layout().normalW;
  EXPECT_NEAR(Magnitude(bp, w), 1.0, 1e-12);
  const double w1 = 2 * kPi * 400 / 44100, w2 = 2 * kPi * 4400 / 44100;
  EXPECT_DOUBLE_EQ(w, 2 * std::atan(std::sqrt(std::tan(w1 / 2) * std::tan(w2 / 2))));
  EXPECT_EQ(bp.Layout().poleCount, 4);
  EXPECT_EQ(bp.Cascade().stageCount, 2);
}

// A prototype is reused only for the same order and second parameter; either way the
// result equals a fresh design.
TEST(CascadeDesign, PrototypeCacheGivesTheSameResultAsAFreshDesign)
{
  ChebyshevI::Design::HighPass<4> reused;
  reused.Apply(Params(44100, 4, 1000, 1));
  for (const FilterParams& p : {Params(48000, 4, 3000, 1), Params(48000, 4, 3000, 2.5),
                                Params(48000, 3, 3000, 2.5), Params(44100, 4, 500, 0.01)}) {
    reused.Apply(p);
    ChebyshevI::Design::HighPass<4> fresh;
    fresh.Apply(p);
    EXPECT_EQ(reused.Prototype().order, static_cast<int>(p[1]));
    EXPECT_EQ(reused.Prototype().parameter, p[3]);
    for (int i = 0; i < fresh.Cascade().stageCount; ++i) {
      EXPECT_EQ(reused.Cascade().stages[i].a1, fresh.Cascade().stages[i].a1);
      EXPECT_EQ(reused.Cascade().stages[i].a2, fresh.Cascade().stages[i].a2);
      EXPECT_EQ(reused.Cascade().stages[i].b0, fresh.Cascade().stages[i].b0);
    }
  }
}

TEST(CascadeDesign, PoleZeroPairsFollowTheDigitalLayout)
{
  Butterworth::Design::BandStop<2> bs;
  bs.Apply(Params(44100, 2, 2400, 4000));
  const std::vector<PoleZeroPair> pairs = bs.PoleZeroPairs();
  ASSERT_EQ(pairs.size(), 2u);
  const double w0 = std::acos(BandEdges(2400.0 / 44100, 4000.0 / 44100).a);
  for (const PoleZeroPair& p : pairs) {
    EXPECT_LT(std::abs(p.pole1), 1.0);
    EXPECT_NEAR(std::abs(p.zero1), 1.0, 1e-12);  // notch on the unit circle
    EXPECT_NEAR(std::fabs(std::arg(p.zero1)), w0, 1e-12);
  }
}
