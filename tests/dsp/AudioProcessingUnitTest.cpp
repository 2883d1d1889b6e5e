#include <gtest/gtest.h>

#include "dsp/AudioProcessingUnit.h"

namespace {

struct ProbeUnit : Kernwave::AudioProcessingUnit
{
  using AudioProcessingUnit::AdvanceFade;
  using AudioProcessingUnit::IsSilent;

  // Advances until the gain stops moving; returns the number of steps that moved it.
  int RunFade()
  {
    int steps = 0;
    for (double before = -1.0; before != FadeGain() && steps < 1000; ++steps) {
      before = FadeGain();
      AdvanceFade();
    }
    return steps - 1;
  }
};

}  // namespace

TEST(AudioProcessingUnit, FreshUnitIsFullyOnAndNeverSteps)
{
  ProbeUnit u;
  EXPECT_EQ(u.SampleRate(), 44100.0);
  EXPECT_FALSE(u.IsBypassed());
  for (int i = 0; i < 10; ++i) u.AdvanceFade();
  EXPECT_EQ(u.FadeGain(), 1.0);
  EXPECT_FALSE(u.IsSilent());
}

TEST(AudioProcessingUnit, SwitchingOffFadesLinearlyToExactlyZero)
{
  ProbeUnit u;
  u.SetBypassed(true);
  EXPECT_TRUE(u.IsBypassed());
  EXPECT_EQ(u.FadeGain(), 0.995);
  for (int k = 1; k < 199; ++k) {
    u.AdvanceFade();
    EXPECT_NEAR(u.FadeGain(), 0.995 - 0.005 * k, 1e-12) << k;
  }
  const int rest = u.RunFade();
  EXPECT_GE(rest, 1);
  EXPECT_LE(rest, 2);  // 199 or 200 steps in all, the clamp catches the last
  EXPECT_EQ(u.FadeGain(), 0.0);
  EXPECT_TRUE(u.IsSilent());
}

TEST(AudioProcessingUnit, SwitchingOnFadesUpToExactlyOne)
{
  ProbeUnit u;
  u.SetBypassed(true);
  u.RunFade();
  u.SetBypassed(false);
  EXPECT_EQ(u.FadeGain(), 0.005);
  EXPECT_FALSE(u.IsSilent());
  const int steps = u.RunFade();
  EXPECT_GE(steps, 198);
  EXPECT_LE(steps, 200);
  EXPECT_EQ(u.FadeGain(), 1.0);
}

TEST(AudioProcessingUnit, EverySwitchRestartsTheFade)
{
  ProbeUnit u;
  u.SetBypassed(true);
  for (int i = 0; i < 50; ++i) u.AdvanceFade();
  u.SetBypassed(false);  // mid fade-out: starts again from the bottom, not the current gain
  EXPECT_EQ(u.FadeGain(), 0.005);

  u.SetBypassed(true);
  u.RunFade();
  u.SetBypassed(true);  // already silent: jumps back and fades out again
  EXPECT_EQ(u.FadeGain(), 0.995);
  EXPECT_FALSE(u.IsSilent());
}
