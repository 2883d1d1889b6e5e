#include <gtest/gtest.h>

#include <cmath>

#include "FilteringTestSignal.h"
#include "dsp/DumpExpand.h"

using Kernwave::DumpExpand;
using namespace Dsp;

namespace {

void Process(DumpExpand& unit, StereoBlock& b, int block)
{
  b.InBlocks(block, [&](double* l, double* r, int n) { unit.ProcessDumpExpand(l, r, n); });
}

double Cutoff(const Filter& f) { return f.CurrentParams()[f.IndexOfParam(IdFrequency)]; }

}  // namespace

TEST(DumpExpand, ConstructionStartsAt100And4000Hz)
{
  DumpExpand unit;
  EXPECT_EQ(Cutoff(unit.LowPassFilter()), 100.0);
  EXPECT_EQ(Cutoff(unit.HighPassFilter()), 4000.0);
  EXPECT_EQ(unit.LowPassFilter().CurrentParams()[1], 2.0);
  EXPECT_EQ(unit.LowPassFilter().CurrentParams()[3], 0.01);
  EXPECT_EQ(unit.Value(), 0.5);
}

TEST(DumpExpand, MiddlePositionLeavesTheSoundNearlyUnchanged)
{
  DumpExpand unit;
  unit.SetValue(0.5);
  EXPECT_EQ(Cutoff(unit.LowPassFilter()), 21000.0);  // the top, capped at 44100 Hz
  EXPECT_NEAR(Cutoff(unit.HighPassFilter()), 10.0, 1e-12);
  EXPECT_EQ(unit.LowPassFilter().RemainingSamples(), 512);
  // The 10 Hz high-pass rings for a while after its glide down from 4000 Hz.
  StereoBlock b = StereoBlock::Sine(48000, 1000.0 / 44100);
  Process(unit, b, 128);
  // Two order-2 filters with 0.01 dB ripple, each normalised 0.01 dB down.
  EXPECT_NEAR(20.0 * std::log10(b.Amplitude(40000)), -0.02, 0.002);
}

TEST(DumpExpand, BottomPositionIsNearlySilent)
{
  DumpExpand unit;
  unit.SetValue(0.0);
  EXPECT_NEAR(Cutoff(unit.LowPassFilter()), 10.0, 1e-12);
  StereoBlock b = StereoBlock::Sine(8000, 1000.0 / 44100);
  Process(unit, b, 128);
  const double amplitude = b.Amplitude(4000);
  EXPECT_LT(20.0 * std::log10(amplitude), -59.0);
  EXPECT_NEAR(amplitude, std::abs(unit.LowPassFilter().ComplexResponse(1000.0 / 44100)), 1e-5);
}

TEST(DumpExpand, TopOfTheSweepIsCappedUpTo44100Hz)
{
  DumpExpand capped, full;
  capped.SetValue(1.0);
  full.SetSampleRate(48000);
  full.SetValue(1.0);
  EXPECT_EQ(Cutoff(capped.HighPassFilter()), 21000.0);
  EXPECT_EQ(Cutoff(capped.LowPassFilter()), 21000.0);
  EXPECT_NEAR(Cutoff(full.HighPassFilter()), 22040.0, 1e-9);
  EXPECT_NEAR(Cutoff(full.LowPassFilter()), 22040.0, 1e-9);
  capped.SetValue(7.0);  // limited to 1
  EXPECT_EQ(capped.Value(), 1.0);
  capped.SetValue(std::nan(""));
  EXPECT_EQ(capped.Value(), 1.0);
}

// The same assignments as the unit's own: default, then order 2 at 100 Hz, then the knob.
TEST(DumpExpand, BelowTheMiddleOnlyTheLowPassRuns)
{
  DumpExpand unit;
  unit.SetValue(0.3);
  DumpExpand::LowPass reference(512);
  FilterParams p = reference.DefaultParams();
  reference.AssignParams(p);
  p[1] = 2.0;
  p[2] = 100.0;
  reference.AssignParams(p);
  reference.AssignParams(unit.LowPassFilter().CurrentParams());
  StereoBlock a(1000), b(1000);
  Process(unit, a, 128);
  b.InBlocks(128, [&](double* l, double* r, int n) {
    double* ch[2] = {l, r};
    reference.ProcessSamples(n, ch);
  });
  EXPECT_EQ(a.left, b.left);
  EXPECT_EQ(a.right, b.right);
}

TEST(DumpExpand, SampleRateReachesBothFiltersAndTheCapIsKept)
{
  DumpExpand unit;
  unit.SetValue(1.0);
  unit.SetSampleRate(32000);
  EXPECT_EQ(unit.HighPassFilter().CurrentParams()[0], 32000.0);
  EXPECT_EQ(unit.LowPassFilter().CurrentParams()[0], 32000.0);
  EXPECT_EQ(Cutoff(unit.HighPassFilter()), 21000.0);  // above the new Nyquist
  EXPECT_EQ(unit.HighPassFilter().RemainingSamples(), 512);
  StereoBlock b(4000);
  Process(unit, b, 256);
  for (int i = 0; i < 4000; ++i) ASSERT_LT(std::fabs(b.left[i]), 4.0) << i;
}

TEST(DumpExpand, LongBlockIsFilteredInSlicesOfTheCapacity)
{
  DumpExpand whole, sliced, grown;
  for (DumpExpand* u : {&whole, &sliced, &grown}) u->SetValue(0.2);
  grown.EnsureCapacity(256);
  EXPECT_EQ(grown.Capacity(), 256);
  StereoBlock a(256), b(256), c(256);
  const StereoBlock dry = a;
  Process(whole, a, 256);
  Process(sliced, b, 128);
  Process(grown, c, 256);
  EXPECT_NE(a.left, dry.left);
  EXPECT_EQ(a.left, b.left);
  EXPECT_EQ(a.left, c.left);
}

TEST(DumpExpand, StableOverTheKnobAtEveryRate)
{
  for (double fs : {22050.0, 32000.0, 44100.0, 48000.0, 88200.0, 96000.0, 192000.0}) {
    DumpExpand unit;
    unit.SetSampleRate(fs);
    for (int k = 0; k <= 40; ++k) {
      unit.SetValue(k / 40.0);
      for (const Filter* f : {static_cast<const Filter*>(&unit.LowPassFilter()),
                              static_cast<const Filter*>(&unit.HighPassFilter())})
        for (const PoleZeroPair& p : f->PoleZeroPairs()) {
          ASSERT_LT(std::abs(p.pole1), 1.0) << fs << " " << k;
          ASSERT_LT(std::abs(p.pole2), 1.0) << fs << " " << k;
        }
    }
  }
}
