#include <gtest/gtest.h>

#include "TestSignal.h"
#include "dsp/filters/ChebyshevI.h"
#include "dsp/filters/DirectFormI.h"
#include "dsp/filters/DirectFormII.h"
#include "dsp/filters/FilterDesign.h"
#include "dsp/filters/RBJ.h"

using namespace Dsp;

namespace {

template <template <int> class State> using Cheby = FilterDesign<ChebyshevI::Design::HighPass<4>, 2, State>;

FilterParams ChebyParams()
{
  FilterParams p;
  p[0] = 44100;
  p[1] = 4;
  p[2] = 1500;
  p[3] = 1;
  return p;
}

}  // namespace

TEST(DirectForm, BothFormsComputeTheSameFilter)
{
  Cheby<DirectFormI> one;
  Cheby<DirectFormII> two;
  one.AssignParams(ChebyParams());
  two.AssignParams(ChebyParams());
  std::vector<double> a = TestSignal(2000), b = a;
  double* ca[2] = {a.data(), a.data() + 1000};
  double* cb[2] = {b.data(), b.data() + 1000};
  one.ProcessSamples(1000, ca);
  two.ProcessSamples(1000, cb);
  // The 1e-8 guard enters the two forms at different points.
  for (int i = 0; i < 2000; ++i) EXPECT_NEAR(a[i], b[i], 1e-7) << i;
}

TEST(DirectForm, SteadySineFollowsTheComplexResponse)
{
  for (double f : {0.005, 0.03, 0.2}) {
    Cheby<DirectFormII> filter;
    filter.AssignParams(ChebyParams());
    const double expected = std::abs(filter.ComplexResponse(f));
    EXPECT_NEAR(SineGain(filter, f), expected, 2e-3 * expected + 1e-6) << f;
  }
}

// In direct form II the guard passes the numerator, so a filter with a zero at Nyquist
// (a low-pass) cancels it; a high-pass lets it through.
TEST(DirectForm, GuardKeepsSilenceAwayFromZero)
{
  FilterDesign<RBJ::Design::HighPass, 2, DirectFormII> two;
  FilterDesign<ChebyshevI::Design::LowPass<2>, 2, DirectFormI> one;
  FilterParams p = two.DefaultParams();
  two.AssignParams(p);
  one.AssignParams(one.DefaultParams());
  std::vector<double> loud = TestSignal(500);
  double* l2[2] = {loud.data(), loud.data()};
  two.ProcessSamples(500, l2);
  two.ClearState();
  one.ClearState();
  std::vector<double> a(2000, 0.0), b(2000, 0.0), c(2000, 0.0);
  double* ca[2] = {a.data(), b.data()};
  double* cc[2] = {c.data(), c.data()};
  two.ProcessSamples(2000, ca);
  one.ProcessSamples(2000, cc);
  for (int i = 0; i < 2000; ++i) {
    EXPECT_NE(a[i], 0.0) << i;
    EXPECT_NE(c[i], 0.0) << i;
    EXPECT_LT(std::fabs(a[i]), 1e-7);
    EXPECT_LT(std::fabs(c[i]), 1e-7);
  }
  EXPECT_EQ(a, b);  // each channel has its own guard, and both start alike
}

TEST(DirectForm, FloatSamplesAreFilteredInDouble)
{
  Cheby<DirectFormII> f, d;
  f.AssignParams(ChebyParams());
  d.AssignParams(ChebyParams());
  const std::vector<double> x = TestSignal(600);
  std::vector<float> xf(x.begin(), x.end());
  std::vector<double> xd(xf.begin(), xf.end());
  float* cf[2] = {xf.data(), xf.data() + 300};
  double* cd[2] = {xd.data(), xd.data() + 300};
  f.ProcessSamples(300, cf);
  d.ProcessSamples(300, cd);
  for (int i = 0; i < 600; ++i) EXPECT_EQ(xf[i], static_cast<float>(xd[i])) << i;
}

TEST(DirectForm, NoChannelsOrNoSamplesChangeNothing)
{
  Cheby<DirectFormII> f;
  f.AssignParams(ChebyParams());
  f.ProcessSamples(10, static_cast<double* const*>(nullptr));
  double x = 0.5;
  double* ch[2] = {&x, nullptr};
  f.ProcessSamples(0, ch);
  EXPECT_EQ(x, 0.5);
  f.ProcessSamples(1, ch);
  EXPECT_NE(x, 0.5);
}
