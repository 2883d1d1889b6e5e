#include <gtest/gtest.h>

#include <cmath>

#include "FilteringTestSignal.h"
#include "dsp/Equalizer.h"

using Kernwave::Equalizer;
using namespace Dsp;

namespace {

void Process(Equalizer& eq, StereoBlock& b, int block)
{
  b.InBlocks(block, [&](double* l, double* r, int n) { eq.ProcessStereo(l, r, n); });
}

// The knobs as the effect sets them at start-up, all at their centre.
void Centre(Equalizer& eq)
{
  eq.SetBassAmount(0.5);
  eq.SetMidAmount(0.5);
  eq.SetHighAmount(0.5);
}

double Gain(const Filter& f) { return f.CurrentParams()[f.IndexOfParam(IdGain)]; }

}  // namespace

TEST(Equalizer, ConstructionConfiguresTheFourFilters)
{
  Equalizer eq;
  const FilterParams& low = eq.LowShelfFilter().CurrentParams();
  EXPECT_EQ(low[0], 44100.0);
  EXPECT_EQ(low[1], 2.0);
  EXPECT_EQ(low[2], 400.0);
  EXPECT_EQ(low[3], -6.0);
  EXPECT_EQ(eq.HighShelfFilter().CurrentParams()[2], 4400.0);
  EXPECT_EQ(Gain(eq.HighShelfFilter()), -6.0);
  for (const Filter* band :
       {static_cast<const Filter*>(&eq.BandPassFilter()), static_cast<const Filter*>(&eq.BandStopFilter())}) {
    EXPECT_EQ(band->CurrentParams()[2], 2400.0);
    EXPECT_EQ(band->CurrentParams()[3], 4000.0);
  }
  EXPECT_EQ(eq.LowShelfFilter().RemainingSamples(), 0);  // the first assignment does not glide
}

TEST(Equalizer, GainKnobsMapToPlusMinus24Db)
{
  Equalizer eq;
  eq.SetBassAmount(1.0);
  eq.SetHighAmount(0.25);
  EXPECT_EQ(Gain(eq.LowShelfFilter()), 24.0);
  EXPECT_EQ(Gain(eq.HighShelfFilter()), -12.0);
  EXPECT_EQ(eq.LowShelfFilter().RemainingSamples(), 512);
  // +24 dB at 0 Hz, 0 dB at Nyquist.
  EXPECT_NEAR(std::abs(eq.LowShelfFilter().ComplexResponse(0.0)), std::pow(10.0, 24.0 / 20.0), 1e-9);
  EXPECT_NEAR(std::abs(eq.LowShelfFilter().ComplexResponse(0.5)), 1.0, 1e-12);
}

TEST(Equalizer, AllKnobsAtTheCentreAreTransparent)
{
  Equalizer eq;
  Centre(eq);
  StereoBlock b(6000);
  const StereoBlock dry = b;
  Process(eq, b, 128);
  // Once the glide from -6 dB has died away only the shelves' 1e-8 denormal guards and
  // rounding remain.
  for (int i = 2000; i < 6000; ++i) {
    ASSERT_NEAR(b.left[i], dry.left[i], 2e-8) << i;
    ASSERT_NEAR(b.right[i], dry.right[i], 2e-8) << i;
  }
}

TEST(Equalizer, MidAtOneAddsTheBandPassedInput)
{
  Equalizer eq, flat;
  Centre(eq);
  Centre(flat);
  eq.SetMidAmount(1.0);
  Equalizer::BandPass band(512);
  band.AssignParams(eq.BandPassFilter().CurrentParams());
  StereoBlock b(3000), shelved(3000), mid(3000);
  Process(eq, b, 128);
  Process(flat, shelved, 128);
  mid.InBlocks(128, [&](double* l, double* r, int n) {
    double* ch[2] = {l, r};
    band.ProcessSamples(n, ch);
  });
  for (int i = 0; i < 3000; ++i) ASSERT_NEAR(b.left[i], shelved.left[i] + mid.left[i], 1e-12) << i;
}

TEST(Equalizer, MidAtZeroIsTheBandStoppedInputAlone)
{
  Equalizer eq;
  eq.SetBassAmount(1.0);  // the shelves do not reach the output
  eq.SetMidAmount(0.0);
  Equalizer::BandStop band(512);
  band.AssignParams(eq.BandStopFilter().CurrentParams());
  StereoBlock b(2000), alone(2000);
  Process(eq, b, 128);
  alone.InBlocks(128, [&](double* l, double* r, int n) {
    double* ch[2] = {l, r};
    band.ProcessSamples(n, ch);
  });
  EXPECT_EQ(b.left, alone.left);
  EXPECT_EQ(b.right, alone.right);
}

TEST(Equalizer, MidWeightFollowsASquareLaw)
{
  // At 0.75 the weight is 0.25: a quarter of the band-passed input on top.
  Equalizer quarter, full, flat;
  for (Equalizer* e : {&quarter, &full, &flat}) Centre(*e);
  quarter.SetMidAmount(0.75);
  full.SetMidAmount(1.0);
  StereoBlock q(2000), f(2000), s(2000);
  Process(quarter, q, 128);
  Process(full, f, 128);
  Process(flat, s, 128);
  for (int i = 0; i < 2000; ++i)
    ASSERT_NEAR(q.left[i] - s.left[i], 0.25 * (f.left[i] - s.left[i]), 1e-12) << i;
}

TEST(Equalizer, SampleRateGlidesEveryFilter)
{
  Equalizer eq;
  eq.SetSampleRate(48000);
  EXPECT_EQ(eq.SampleRate(), 48000.0);
  EXPECT_EQ(eq.LowShelfFilter().CurrentParams()[0], 48000.0);
  EXPECT_EQ(eq.BandStopFilter().CurrentParams()[0], 48000.0);
  EXPECT_EQ(eq.HighShelfFilter().RemainingSamples(), 512);
  EXPECT_EQ(eq.BandPassFilter().RemainingSamples(), 512);
}

TEST(Equalizer, CapacityLongBlocksAndEmptyBlocks)
{
  Equalizer a, b;
  a.EnsureCapacity(256);
  a.EnsureCapacity(16);
  EXPECT_EQ(a.Capacity(), 256);
  StereoBlock x(1000), y(1000);
  Process(a, x, 1000);  // beyond the capacity: sliced
  y.InBlocks(256, [&](double* l, double* r, int n) { b.ProcessStereo(l, r, n); });
  EXPECT_EQ(x.left, y.left);
  double v = 0.5;
  a.ProcessStereo(&v, &v, 0);
  EXPECT_EQ(v, 0.5);
}

TEST(Equalizer, GainsStayStableAtEveryRate)
{
  for (double fs : {22050.0, 32000.0, 44100.0, 48000.0, 88200.0, 96000.0, 192000.0}) {
    Equalizer eq;
    eq.SetSampleRate(fs);
    for (int k = 0; k <= 20; ++k) {
      eq.SetBassAmount(k / 20.0);
      eq.SetHighAmount(k / 20.0);
      for (const Filter* f : {static_cast<const Filter*>(&eq.LowShelfFilter()),
                              static_cast<const Filter*>(&eq.HighShelfFilter()),
                              static_cast<const Filter*>(&eq.BandPassFilter()),
                              static_cast<const Filter*>(&eq.BandStopFilter())})
        for (const PoleZeroPair& p : f->PoleZeroPairs()) {
          ASSERT_LT(std::abs(p.pole1), 1.0) << fs << " " << k;
          ASSERT_LT(std::abs(p.pole2), 1.0) << fs << " " << k;
        }
    }
  }
}
