#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "dsp/Distortion.h"

using Kernwave::Distortion;

namespace {

struct Block
{
  explicit Block(int n) : left(n), right(n)
  {
    for (int i = 0; i < n; ++i) {
      left[i] = i + 1.0;
      right[i] = -(i + 1.0);
    }
  }
  std::vector<double> left, right;
};

// Input indices at which the rate reduction took a fresh sample (input i + 1 at index i).
std::vector<int> TakenAt(const Block& b)
{
  std::vector<int> taken;
  for (size_t i = 0; i < b.left.size(); ++i) {
    EXPECT_EQ(b.right[i], -b.left[i]);
    if (b.left[i] == i + 1.0) taken.push_back(static_cast<int>(i));
  }
  return taken;
}

std::vector<int> Reduced(double rate, double value, int n)
{
  Distortion d;
  d.SetSampleRate(rate);
  d.SetRateReduction(value);
  Block b(n);
  d.ProcessRateReduction(b.left.data(), b.right.data(), n);
  return TakenAt(b);
}

std::vector<int> Grid(int first, int step, int n)
{
  std::vector<int> g;
  for (int i = first; i < n; i += step) g.push_back(i);
  return g;
}

}  // namespace

TEST(DistortionLoFi, NeutralSettingsLeaveTheAudioUntouched)
{
  Distortion d;
  d.SetQuantize(1.0);
  Block b(300);
  const Block in(300);
  d.SetSampleRate(96000.0);
  d.ProcessRateReduction(b.left.data(), b.right.data(), 300);
  d.ProcessBitCrush(b.left.data(), b.right.data(), 300);
  EXPECT_EQ(b.left, in.left);
  EXPECT_EQ(b.right, in.right);
}

TEST(DistortionLoFi, HoldLengthFollowsTheSampleRate)
{
  EXPECT_EQ(Reduced(44100.0, 0.0, 300), Grid(0, 64, 300));
  EXPECT_EQ(Reduced(22050.0, 0.0, 300), Grid(0, 32, 300));
  EXPECT_EQ(Reduced(96000.0, 0.0, 300), Grid(0, 139, 300));
  EXPECT_EQ(Reduced(44100.0, 0.5, 300), Grid(0, 32, 300));
  EXPECT_EQ(Reduced(22050.0, 0.99, 300), Grid(0, 1, 300));  // trunc(0.32) = 0: every sample
}

TEST(DistortionLoFi, HoldGridRunsOnAcrossBlocksAndSettings)
{
  Distortion d;
  d.SetRateReduction(0.0);
  Block b(200);
  for (int start = 0; start < 200; start += 7)
    d.ProcessRateReduction(&b.left[start], &b.right[start], std::min(7, 200 - start));
  EXPECT_EQ(TakenAt(b), Grid(0, 64, 200));

  d.SetRateReduction(0.5);  // the counter stands at 200, so the next multiple of 32 is 224
  Block c(100);
  d.ProcessRateReduction(c.left.data(), c.right.data(), 100);
  EXPECT_EQ(TakenAt(c), Grid(24, 32, 100));
}

// The counter would overflow after 2^31 samples; the grid must not jump there.
TEST(DistortionLoFi, HoldGridStaysContinuousWhereTheCounterWraps)
{
  for (double rate : {44100.0, 96000.0}) {
    const int hold = rate == 44100.0 ? 64 : 139;
    Distortion d;
    d.SetSampleRate(rate);
    d.SetRateReduction(0.0);
    const int64_t start = std::numeric_limits<int32_t>::max() - 200;
    d.SetSampleCounter(static_cast<int32_t>(start));
    const int n = 1000;
    Block b(n);
    d.ProcessRateReduction(b.left.data(), b.right.data(), n);
    // Where an unbounded counter would put the grid.
    const int first = static_cast<int>((hold - start % hold) % hold);
    EXPECT_EQ(TakenAt(b), Grid(first, hold, n)) << rate;
    EXPECT_GE(d.SampleCounter(), 0);
    EXPECT_LT(d.SampleCounter(), n);
  }
}

TEST(DistortionLoFi, BitCrushAtZeroUsesTwoLevelsAndStoresTheFloor)
{
  Distortion d;
  d.SetQuantize(0.0);
  double l[6] = {0.49, -0.49, 0.5, 0.99, 1.0, -0.7};
  double r[6] = {-1.0, 0.25, -0.5, 0.0, 0.75, 2.0};
  d.ProcessBitCrush(l, r, 6);
  EXPECT_EQ(d.Quantize(), 0.001);
  EXPECT_EQ(d.QuantizeLevels(), 2.0);
  const double wantL[6] = {0.0, 0.0, 0.5, 0.5, 1.0, -0.5};
  const double wantR[6] = {-1.0, 0.0, -0.5, 0.0, 0.5, 2.0};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(l[i], wantL[i]) << i;
    EXPECT_EQ(r[i], wantR[i]) << i;
  }
}

TEST(DistortionLoFi, BitCrushLevelsGrowExponentially)
{
  Distortion d;
  d.SetQuantize(0.6);  // 2^9 = 512 levels
  double l = 0.3, r = -0.3;
  d.ProcessBitCrush(&l, &r, 1);
  EXPECT_EQ(d.QuantizeLevels(), 512.0);
  EXPECT_EQ(l, 153.0 / 512);
  EXPECT_EQ(r, -153.0 / 512);

  d.SetQuantize(0.999);  // nearly 32768 levels
  l = 0.3;
  d.ProcessBitCrush(&l, &r, 1);
  EXPECT_NEAR(d.QuantizeLevels(), 32768 * std::pow(2.0, -0.015), 1e-9);

  // Out-of-range samples saturate instead of overflowing the integer step.
  double big = 1e12, nan = std::nan("");
  d.ProcessBitCrush(&big, &nan, 1);
  EXPECT_EQ(big, 2147483647.0 / d.QuantizeLevels());
  EXPECT_EQ(nan, 0.0);
}

TEST(DistortionLoFi, SwitchedOffStagesStopAtOnce)
{
  Distortion d;
  d.SetRateReduction(0.0);
  d.SetBypassed(true);
  Block b(100);
  const Block in(100);
  d.ProcessRateReduction(b.left.data(), b.right.data(), 100);
  d.ProcessBitCrush(b.left.data(), b.right.data(), 100);  // quantize 0 would crush hard
  EXPECT_EQ(b.left, in.left);
  EXPECT_EQ(d.Quantize(), 0.0);
  EXPECT_EQ(d.SampleCounter(), 0);

  d.SetBypassed(false);
  d.ProcessRateReduction(b.left.data(), b.right.data(), 100);
  EXPECT_EQ(TakenAt(b), Grid(0, 64, 100));
}
