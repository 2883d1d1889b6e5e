#include <gtest/gtest.h>

#include <cmath>

#include "TestSignal.h"
#include "dsp/filters/Butterworth.h"
#include "dsp/filters/ChebyshevI.h"
#include "dsp/filters/DirectFormII.h"
#include "dsp/filters/RBJ.h"
#include "dsp/filters/SmoothedFilterDesign.h"

using namespace Dsp;

// Every design over the whole 0..1 range of its frequency and of its last parameter, at
// the host rates the plug-in meets, must keep its poles inside the unit circle.
namespace {

const double kRates[] = {22050, 32000, 44100, 48000, 88200, 96000, 192000};

template <int N> bool IsStable(const BiquadCascade<N>& cascade)
{
  if (cascade.stageCount < 1) return false;
  for (int i = 0; i < cascade.stageCount; ++i) {
    const BiquadCoefficients& c = cascade.stages[i];
    for (double v : {c.a0, c.a1, c.a2, c.b0, c.b1, c.b2})
      if (!std::isfinite(v)) return false;
    const PoleZeroPair roots = c.Roots();
    if (!(std::abs(roots.pole1) < 1.0 && std::abs(roots.pole2) < 1.0)) return false;
  }
  return true;
}

// Knob grid: frequency and last parameter at steps of 1/100 and 1/20; order fixed.
template <class Design> void SweepDesign(const char* name, double order)
{
  const int frequencySlot = Design::kParamCount == 3 ? 1 : 2;
  const int lastSlot = Design::kParamCount - 1;
  const ParamInfo frequency = Design::DescribeParam(frequencySlot);
  const ParamInfo last = Design::DescribeParam(lastSlot);
  int failures = 0;
  for (double fs : kRates)
    for (int i = 0; i <= 100; ++i)
      for (int j = 0; j <= 20; ++j) {
        FilterParams p;
        p[0] = fs;
        if (Design::kParamCount == 4) p[1] = order;
        p[frequencySlot] = frequency.ToNativeValue(i / 100.0);
        p[lastSlot] = last.ToNativeValue(j / 20.0);
        Design d;
        d.Apply(p);
        if (!IsStable(d.Cascade()) && failures++ < 5)
          ADD_FAILURE() << name << " order " << order << " fs " << fs << " f " << p[frequencySlot] << " last "
                        << p[lastSlot];
      }
}

}  // namespace

TEST(Stability, EveryDesignOverItsKnobsAtEveryRate)
{
  SweepDesign<RBJ::Design::LowPass>("RBJ low-pass", 0);
  SweepDesign<RBJ::Design::HighPass>("RBJ high-pass", 0);
  SweepDesign<RBJ::Design::BandPass1>("RBJ band-pass", 0);
  SweepDesign<RBJ::Design::BandStop>("RBJ band-stop", 0);
  for (double n : {1.0, 2.0, 3.0, 4.0}) {
    SweepDesign<ChebyshevI::Design::LowPass<4>>("Chebyshev low-pass", n);
    SweepDesign<ChebyshevI::Design::HighPass<4>>("Chebyshev high-pass", n);
  }
  SweepDesign<ChebyshevI::Design::LowPass<2>>("Chebyshev low-pass", 2);
  SweepDesign<ChebyshevI::Design::HighPass<2>>("Chebyshev high-pass", 2);
  SweepDesign<Butterworth::Design::LowShelf<2>>("low shelf", 2);
  SweepDesign<Butterworth::Design::HighShelf<2>>("high shelf", 2);
  SweepDesign<Butterworth::Design::BandPass<2>>("band-pass", 2);
  SweepDesign<Butterworth::Design::BandStop<2>>("band-stop", 2);
}

TEST(Stability, FrequenciesBelowNyquistAreDesignedAsGiven)
{
  // 22040 Hz at 44100 Hz lies just below Nyquist: the cookbook formula untouched.
  RBJ::Design::LowPass lp;
  FilterParams p;
  p[0] = 44100;
  p[1] = 22040;
  p[2] = 1;
  lp.Apply(p);
  const double w0 = 6.283185307179586 * 22040 / 44100;
  const double alpha = std::sin(w0) / 2.0;
  EXPECT_EQ(lp.Cascade().stages[0].a0, 1.0 + alpha);
  EXPECT_EQ(lp.Cascade().stages[0].a1, -2.0 * std::cos(w0) / (1.0 + alpha));
}

TEST(Stability, FrequenciesAtOrAboveNyquistAreDesignedAt049Fs)
{
  FilterParams over, limited;
  over[0] = limited[0] = 32000;
  over[1] = limited[1] = 4;
  over[2] = 22040;
  limited[2] = 0.49 * 32000;
  over[3] = limited[3] = 1;
  ChebyshevI::Design::LowPass<4> a, b;
  a.Apply(over);
  b.Apply(limited);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(a.Cascade().stages[i].a1, b.Cascade().stages[i].a1);
    EXPECT_EQ(a.Cascade().stages[i].b0, b.Cascade().stages[i].b0);
  }
  // 16000 Hz is Nyquist itself.
  over[2] = 16000;
  a.Apply(over);
  EXPECT_EQ(a.Cascade().stages[1].a2, b.Cascade().stages[1].a2);
}

// Resonance 0.375 (Q 0.5) at 0.75 fs would make sin(w0) = -2Q and 1 + alpha = 0.
TEST(Stability, RbjDenominatorNeverVanishes)
{
  RBJ::Design::HighPass hp;
  FilterParams p;
  p[0] = 22050;
  p[1] = 0.75 * 22050;
  p[2] = ParamRecords::Q().ToNativeValue(0.375);
  EXPECT_EQ(p[2], 0.5);
  hp.Apply(p);
  EXPECT_GT(hp.Cascade().stages[0].a0, 1.0);
  EXPECT_TRUE(IsStable(hp.Cascade()));
}

TEST(Stability, SampleRateGlideBelowTwiceTheCutoffStaysBounded)
{
  SmoothedFilterDesign<RBJ::Design::LowPass, 2, DirectFormII> rbj(512);
  SmoothedFilterDesign<ChebyshevI::Design::HighPass<4>, 2, DirectFormII> cheby(512);
  FilterParams r = rbj.DefaultParams(), c = cheby.DefaultParams();
  r[1] = c[2] = 20000;
  c[1] = 4;
  rbj.AssignParams(r);
  cheby.AssignParams(c);
  r[0] = c[0] = 22050;
  rbj.AssignParams(r);
  cheby.AssignParams(c);
  std::vector<double> a = TestSignal(4096), b = a;
  double* ca[2] = {a.data(), b.data()};
  rbj.ProcessSamples(4096, ca);
  std::vector<double> d = TestSignal(4096), e = d;
  double* cd[2] = {d.data(), e.data()};
  cheby.ProcessSamples(4096, cd);
  for (int i = 0; i < 4096; ++i) {
    ASSERT_LT(std::fabs(a[i]), 10.0) << i;
    ASSERT_LT(std::fabs(d[i]), 10.0) << i;
  }
}
