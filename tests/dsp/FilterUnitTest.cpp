#include <gtest/gtest.h>

#include <cmath>

#include "FilteringTestSignal.h"
#include "dsp/FilterUnit.h"
#include "dsp/filters/DirectFormII.h"
#include "dsp/filters/RBJ.h"
#include "dsp/filters/SmoothedFilterDesign.h"

using Kernwave::FilterUnit;
using namespace Dsp;

namespace {

void Process(FilterUnit& unit, StereoBlock& b, int block)
{
  b.InBlocks(block, [&](double* l, double* r, int n) { unit.ProcessStereo(l, r, n); });
}

double Slot(const Filter& f, ParamId id) { return f.CurrentParams()[f.IndexOfParam(id)]; }

}  // namespace

TEST(FilterUnit, ConstructionSetsDefaultsAndChebyshevOrders)
{
  FilterUnit unit;
  EXPECT_EQ(unit.Capacity(), 128);
  EXPECT_EQ(unit.TypeMix(), 0.0);
  for (int m = 0; m < FilterUnit::kModes; ++m) {
    const Filter& rbj = unit.RbjFilter(m);
    EXPECT_EQ(rbj.CurrentParams()[0], 44100.0);
    EXPECT_EQ(rbj.CurrentParams()[1], 2000.0);
    EXPECT_EQ(rbj.CurrentParams()[2], 1.0);
    const Filter& cheby = unit.ChebyFilter(m);
    EXPECT_EQ(Slot(cheby, IdOrder), m % 2 == 0 ? 2.0 : 4.0);
    EXPECT_EQ(Slot(cheby, IdRippleDb), 0.01);
    EXPECT_EQ(Slot(cheby, IdFrequency), 2000.0);
  }
  EXPECT_EQ(unit.RbjFilter(2).DisplayName(), "RBJ Band Pass 1");
  EXPECT_EQ(unit.ChebyFilter(0).KindOf(), FilterKind::HighPass);
  EXPECT_EQ(unit.ChebyFilter(3).KindOf(), FilterKind::LowPass);
}

TEST(FilterUnit, CutoffAndResonanceDriveAllEightFilters)
{
  FilterUnit unit;
  const double expected[] = {68.5, 469.5, 3216.7};
  for (int k = 0; k < 3; ++k) {
    unit.SetCutoff(0.25 * (k + 1));
    EXPECT_NEAR(unit.CurrentCutoffHz(), expected[k], 0.05);
    for (int m = 0; m < FilterUnit::kModes; ++m) {
      EXPECT_EQ(Slot(unit.RbjFilter(m), IdFrequency), unit.CurrentCutoffHz());
      EXPECT_EQ(Slot(unit.ChebyFilter(m), IdFrequency), unit.CurrentCutoffHz());
    }
  }
  unit.SetResonance(0.5);
  EXPECT_EQ(Slot(unit.RbjFilter(0), IdQ), 1.0);
  EXPECT_EQ(Slot(unit.RbjFilter(1), IdQ), 1.0);
  EXPECT_EQ(Slot(unit.RbjFilter(2), IdBandwidth), 1.0);
  EXPECT_EQ(Slot(unit.RbjFilter(3), IdBandwidth), 1.0);
  for (int m = 0; m < FilterUnit::kModes; ++m)
    EXPECT_DOUBLE_EQ(Slot(unit.ChebyFilter(m), IdRippleDb), 6.0005);
  unit.SetResonance(1.0);
  EXPECT_EQ(Slot(unit.RbjFilter(0), IdQ), 16.0);
  EXPECT_EQ(Slot(unit.ChebyFilter(1), IdRippleDb), 12.0);
  unit.SetCutoff(std::nan(""));  // ignored
  EXPECT_NEAR(unit.CurrentCutoffHz(), 3216.7, 0.05);
}

TEST(FilterUnit, SampleRateReachesEveryFilter)
{
  FilterUnit unit;
  unit.SetSampleRate(96000);
  EXPECT_EQ(unit.SampleRate(), 96000.0);
  for (int m = 0; m < FilterUnit::kModes; ++m) {
    EXPECT_EQ(Slot(unit.RbjFilter(m), IdSampleRate), 96000.0);
    EXPECT_EQ(Slot(unit.ChebyFilter(m), IdSampleRate), 96000.0);
  }
  unit.SetSampleRate(0.0);
  EXPECT_EQ(unit.SampleRate(), 96000.0);
}

TEST(FilterUnit, ModeNamesAndLookups)
{
  EXPECT_STREQ(FilterUnit::RbjModeName(0.16), "RBJ-LP");
  EXPECT_STREQ(FilterUnit::RbjModeName(0.17), "RBJ-HP");
  EXPECT_STREQ(FilterUnit::RbjModeName(0.5), "RBJ-BP1");
  EXPECT_STREQ(FilterUnit::RbjModeName(1.0), "RBJ-BS");
  EXPECT_STREQ(FilterUnit::ChebyModeName(0.0), "HP 12dB");
  EXPECT_STREQ(FilterUnit::ChebyModeName(1.0 / 3), "HP 24dB");
  EXPECT_STREQ(FilterUnit::ChebyModeName(1.0), "LP 24dB");
  EXPECT_STREQ(FilterUnit::ChebyModeName(1.2), "");
  EXPECT_STREQ(FilterUnit::RbjModeName(-0.2), "");
  EXPECT_STREQ(FilterUnit::RbjModeName(std::nan("")), "");
  EXPECT_EQ(FilterUnit::RbjModeFromName("RBJ-BP"), 2);
  EXPECT_EQ(FilterUnit::RbjModeFromName("RBJ-BP1"), 2);
  EXPECT_EQ(FilterUnit::RbjModeFromName("RBJ-BS"), 3);
  EXPECT_EQ(FilterUnit::RbjModeFromName("rbj-hp"), 0);
  EXPECT_EQ(FilterUnit::RbjModeFromName(nullptr), 0);
  EXPECT_EQ(FilterUnit::ChebyModeFromName("LP 12dB"), 2);
  EXPECT_EQ(FilterUnit::ChebyModeFromName("LP 12dB "), 0);
}

TEST(FilterUnit, TypeMixGlidesFromRbjTowardsChebyshev)
{
  FilterUnit unit;
  StereoBlock b(81);
  unit.ProcessStereo(b.left.data(), b.right.data(), 1);
  EXPECT_EQ(unit.TypeMix(), 0.012345679);
  unit.ProcessStereo(b.left.data(), b.right.data(), 80);
  EXPECT_NEAR(unit.TypeMix(), 1.0 - std::pow(0.987654321, 81), 1e-12);
  EXPECT_NEAR(unit.TypeMix(), 0.634, 0.001);
}

// With the type at 0 from the start the mix stays exactly 0: the RBJ path alone.
TEST(FilterUnit, TypeZeroIsTheRbjPathAlone)
{
  FilterUnit unit;
  unit.SetTypeTarget(0.0);
  unit.SetRbjSelect(1.0 / 3);
  unit.SetCutoff(0.6);
  SmoothedFilterDesign<RBJ::Design::HighPass, 2, DirectFormII> reference(512);
  reference.AssignParams(reference.DefaultParams());
  FilterParams p = reference.CurrentParams();
  p[1] = unit.CurrentCutoffHz();
  reference.AssignParams(p);

  StereoBlock viaUnit(1000), alone(1000);
  Process(unit, viaUnit, 100);
  alone.InBlocks(100, [&](double* l, double* r, int n) {
    double* ch[2] = {l, r};
    reference.ProcessSamples(n, ch);
  });
  EXPECT_EQ(viaUnit.left, alone.left);
  EXPECT_EQ(viaUnit.right, alone.right);
}

TEST(FilterUnit, TypeHalfAveragesBothPaths)
{
  FilterUnit half, rbj, cheby;
  half.SetTypeTarget(0.5);
  rbj.SetTypeTarget(0.0);
  cheby.SetTypeTarget(1.0);
  StereoBlock a(4000), b(4000), c(4000);
  Process(half, a, 128);
  Process(rbj, b, 128);
  Process(cheby, c, 128);
  // The Chebyshev mix approaches 1 within 1e-12 after about 2200 samples.
  for (int i = 3000; i < 4000; ++i) EXPECT_NEAR(a.left[i], 0.5 * (b.left[i] + c.left[i]), 1e-9) << i;
}

TEST(FilterUnit, SelectionIsMadeFromTheModeValues)
{
  FilterUnit lowPass, bandStop;
  for (FilterUnit* u : {&lowPass, &bandStop}) u->SetTypeTarget(0.0);
  lowPass.SetRbjSelect(0.16);
  bandStop.SetRbjSelect(0.9);
  StereoBlock hi = StereoBlock::Sine(4000, 0.3);
  StereoBlock hi2 = hi;
  Process(lowPass, hi, 128);
  Process(bandStop, hi2, 128);
  EXPECT_LT(hi.Amplitude(2000), 0.05);          // 2000 Hz low-pass removes 13 kHz
  EXPECT_NEAR(hi2.Amplitude(2000), 1.0, 0.01);  // far from the 2000 Hz notch
}

TEST(FilterUnit, SwitchedOffFadesToTheDrySignalThenLeavesItAlone)
{
  FilterUnit unit;
  unit.SetBypassed(true);
  StereoBlock b(600);
  const StereoBlock dry = b;
  Process(unit, b, 128);
  EXPECT_NE(b.left[0], dry.left[0]);
  EXPECT_EQ(unit.FadeGain(), 0.0);
  for (int i = 200; i < 600; ++i) EXPECT_EQ(b.left[i], dry.left[i]) << i;
}

TEST(FilterUnit, EmptyBlockChangesNothing)
{
  FilterUnit unit;
  double x = 0.25;
  unit.ProcessStereo(&x, &x, 0);
  unit.ProcessStereo(nullptr, nullptr, 16);
  EXPECT_EQ(x, 0.25);
  EXPECT_EQ(unit.TypeMix(), 0.0);
}

TEST(FilterUnit, CapacityGrowsButNeverShrinks)
{
  FilterUnit unit;
  unit.EnsureCapacity(512);
  EXPECT_EQ(unit.Capacity(), 512);
  unit.EnsureCapacity(64);
  EXPECT_EQ(unit.Capacity(), 512);
}

// A block longer than the work buffers is filtered in slices of the capacity.
TEST(FilterUnit, LongBlockIsFilteredInSlices)
{
  FilterUnit whole, sliced;
  StereoBlock a(300), b(300);
  const StereoBlock dry = a;
  Process(whole, a, 300);
  b.InBlocks(128, [&](double* l, double* r, int n) { sliced.ProcessStereo(l, r, n); });
  EXPECT_NE(a.left, dry.left);
  EXPECT_EQ(a.left, b.left);
  EXPECT_EQ(a.right, b.right);
}

TEST(FilterUnit, EveryModeStaysStableOverTheKnobsAtEveryRate)
{
  for (double fs : {22050.0, 32000.0, 44100.0, 48000.0, 88200.0, 96000.0, 192000.0}) {
    FilterUnit unit;
    unit.SetSampleRate(fs);
    for (int c = 0; c <= 20; ++c)
      for (int r = 0; r <= 8; ++r) {
        unit.SetCutoff(c / 20.0);
        unit.SetResonance(r / 8.0);
        for (int m = 0; m < FilterUnit::kModes; ++m)
          for (const Filter* f : {&unit.RbjFilter(m), &unit.ChebyFilter(m)})
            for (const PoleZeroPair& p : f->PoleZeroPairs()) {
              ASSERT_LT(std::abs(p.pole1), 1.0) << fs << " " << c << " " << r << " " << m;
              ASSERT_LT(std::abs(p.pole2), 1.0) << fs << " " << c << " " << r << " " << m;
            }
      }
  }
}
