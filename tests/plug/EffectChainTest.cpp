#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "skarvel/Skarvel.h"

namespace {

// One effect with every unit switched out of the way: bypass on, so only the input and
// output stages run, unless a test says otherwise.
struct Chain
{
  Skarvel fx{nullptr};
  std::vector<double> inL, inR, outL, outR;

  Chain()
  {
    Set(kBypassFX, 1.0);
    Set(kVolume, 1.0);
    Set(kInputVolume, 1.0);
    Settle();
  }
  void Set(int index, double value)
  {
    fx.GetParam(index)->value = value;
    fx.ParameterChanged(index);
  }
  // Runs n frames of a constant input and returns the last left sample.
  double Run(double left, double right, int n)
  {
    inL.assign(n, left);
    inR.assign(n, right);
    outL.assign(n, 0.0);
    outR.assign(n, 0.0);
    double* ins[2] = {inL.data(), inR.data()};
    double* outs[2] = {outL.data(), outR.data()};
    fx.ProcessBlock(ins, outs, n);
    return outL.back();
  }
  void Settle() { Run(0.0, 0.0, 20000); }
};

}  // namespace

TEST(EffectChain, IdentityAndParameterTable)
{
  Skarvel fx(nullptr);
  EXPECT_EQ(fx.NParams(), 30);
  EXPECT_EQ(fx.NPresets(), 56);
  EXPECT_STREQ(fx.GetEffectName(), "Skarvel 1.3 Free");
  EXPECT_STREQ(fx.GetMfrName(), "Kernwave");
  EXPECT_EQ(fx.GetUniqueID(), 0x76673263);
  EXPECT_EQ(fx.GetEffectVersion(), 0x00010303);
  EXPECT_STREQ(fx.GetParam(kFilterCutoff)->name, "Cutoff");
  EXPECT_STREQ(fx.GetParam(kFilterCutoff)->label, "Hz");
  EXPECT_EQ(fx.GetParam(kInputVolume)->displayPrecision, 6);
  EXPECT_EQ(fx.GetParam(kGate)->displayPrecision, 3);
  EXPECT_EQ(fx.GetParam(kBypassFX)->displayPrecision, 0);
  EXPECT_STRNE(fx.GetParam(kFilterMode1)->name, fx.GetParam(kFilterMode2)->name);
  EXPECT_EQ(Skarvel::ParamIndexFromKey("DistortionInterpMode"), kDistortionInterpMode);
  EXPECT_EQ(Skarvel::ParamIndexFromKey("Nope"), -1);
}

TEST(EffectChain, MirrorsStartAtTheirOwnValuesAndRampFromSilence)
{
  Skarvel fx(nullptr);
  EXPECT_EQ(fx.Mirror(mInputVolume), 0.75);
  EXPECT_EQ(fx.Mirror(mVolume), 0.25);
  EXPECT_EQ(fx.Mirror(mFilterCutoff), 1.0);
  // Until the host announces the parameters the bit-crush holds its start value 0 (two
  // levels); set it neutral on the unit itself so the mirrors stay as constructed.
  fx.GetDistortion().SetQuantize(1.0);
  std::vector<double> in(1, 1.0), outL(1), outR(1);
  double* ins[2] = {in.data(), in.data()};
  double* outs[2] = {outL.data(), outR.data()};
  fx.ProcessBlock(ins, outs, 1);
  // Both gain smoothers take their first step from 0; in between, the filtering units run
  // from their construction state.
  double l = 1.0 * (0.012345679000000054 * 0.75), r = l;
  Kernwave::FilterUnit filter;
  Kernwave::Equalizer equalizer;
  Kernwave::DumpExpand dumpExpand;
  filter.ProcessStereo(&l, &r, 1);
  equalizer.ProcessStereo(&l, &r, 1);
  dumpExpand.ProcessDumpExpand(&l, &r, 1);
  EXPECT_EQ(outL[0], l * (0.012345679000000054 * 0.25));
}

TEST(EffectChain, ParameterChangeReachesTheMirror)
{
  Chain c;
  c.Set(kDumpExpand, 0.3);
  EXPECT_EQ(c.fx.Mirror(mDumpExpand), 0.3);
  c.Set(kBassAmount, 0.9);
  EXPECT_EQ(c.fx.Mirror(mBassAmount), 0.9);
}

TEST(EffectChain, SettledGainIsInputTimesBothVolumes)
{
  Chain c;
  c.Set(kInputVolume, 0.5);
  c.Set(kVolume, 0.8);
  c.Run(0.3, -0.3, 20000);
  EXPECT_NEAR(c.outL.back(), 0.3 * 0.5 * 0.8, 1e-12);
  EXPECT_NEAR(c.outR.back(), -0.3 * 0.5 * 0.8, 1e-12);
}

TEST(EffectChain, DcOffsetAtExactlyHalfIsSkippedAndHoldsItsState)
{
  Chain c;
  c.Set(kInputDCOffset, 1.0);  // +1 target
  c.Run(0.0, 0.0, 100);
  const double held = c.outL.back();
  EXPECT_GT(held, 0.0);
  c.Set(kInputDCOffset, 0.5);
  c.Run(0.25, 0.25, 1000);
  EXPECT_NEAR(c.outL.back(), 0.25, 1e-12);  // nothing is added at 0.5, even with a held state
  c.Set(kInputDCOffset, 1.0);
  c.Run(0.0, 0.0, 1);
  // Resumes from the held state: one more step from where it stopped.
  EXPECT_NEAR(c.outL[0], 0.00012345679000003162 * 1.0 + 0.99987654321 * held, 1e-12);
}

TEST(EffectChain, DcOffsetBelowHalfPullsNegative)
{
  Chain c;
  c.Set(kInputDCOffset, 0.25);  // e = -(1 - 0.5) = -0.5
  c.Run(0.0, 0.0, 200000);
  EXPECT_NEAR(c.outL.back(), -0.5, 1e-9);
}

TEST(EffectChain, InputSaturationAtTheSmallestSettingIsTheNormalisedArctangent)
{
  Chain c;
  c.Settle();
  c.Set(kInputSaturation, 0.0);
  c.Set(kVolume, 1.0);
  c.Run(0.5, 1.0, 10);
  EXPECT_NEAR(c.outL.back(), 0.5, 1e-12);  // 0 leaves the signal untouched
  c.Set(kInputSaturation, 1e-7);
  c.Run(0.5, 1.0, 10);
  EXPECT_NEAR(c.outL.back(), 0.5903, 5e-5);
  EXPECT_NEAR(c.outL.back(), std::atan(0.5) / std::atan(1.0), 1e-6);
  EXPECT_NEAR(c.outR.back(), 1.0, 1e-6);
  EXPECT_LE(c.outR.back(), 1.0);
}

TEST(EffectChain, SaturationLimitsToUnity)
{
  Chain c;
  c.Set(kSaturation, 1.0);
  c.Run(0.8, -0.8, 5000);
  EXPECT_NEAR(c.outL.back(), 1.0, 1e-12);
  EXPECT_NEAR(c.outR.back(), -1.0, 1e-12);
}

TEST(EffectChain, OutputIsClampedToTwentyFiveAndMetered)
{
  Chain c;
  c.Set(kInputDCOffset, 1.0);
  c.Set(kInputVolume, 1.0);
  c.Run(40.0, -40.0, 20000);
  EXPECT_EQ(c.outL.back(), 25.0);
  EXPECT_EQ(c.outR.back(), -25.0);
  EXPECT_EQ(c.fx.PeakLeft(), 25.0);
  EXPECT_EQ(c.fx.PeakRight(), 25.0);
  c.fx.RequestPeakReset();
  c.Run(0.0, 0.0, 1);
  EXPECT_EQ(c.fx.PeakLeft(), 0.0);
}

TEST(EffectChain, PeakMeterKeepsTheLargestMagnitudePerChannel)
{
  Chain c;
  c.Settle();
  c.Run(0.1, -0.6, 10);
  c.Run(0.05, 0.2, 10);
  EXPECT_NEAR(c.fx.PeakLeft(), 0.1, 1e-12);
  EXPECT_NEAR(c.fx.PeakRight(), 0.6, 1e-12);
  // A new peak in an odd frame of one channel and in the last frame of an odd-length block on
  // the other, beside a NaN input (silence); then an output clamped to 25.
  c.fx.RequestPeakReset();
  c.Run(0.0, 0.0, 1);
  std::vector<double> left = {0.0, -0.3, 0.2, std::nan(""), 0.1}, right = {0.0, 0.1, -0.2, 0.3, -0.7};
  double* ins[2] = {left.data(), right.data()};
  c.fx.ProcessBlock(ins, ins, 5);
  EXPECT_NEAR(c.fx.PeakLeft(), 0.3, 1e-12);
  EXPECT_NEAR(c.fx.PeakRight(), 0.7, 1e-12);
  EXPECT_EQ(left[3], 0.0);
  left = {0.0, 0.0, 0.0, 30.0};
  c.fx.ProcessBlock(ins, ins, 4);
  EXPECT_EQ(left[3], 25.0);
  EXPECT_EQ(c.fx.PeakLeft(), 25.0);
  EXPECT_NEAR(c.fx.PeakRight(), 0.7, 1e-12);
}

TEST(EffectChain, GateZeroesQuietSamplesOnlyWhileDistortionIsOn)
{
  Chain c;
  c.Set(kBypassFX, 0.0);
  c.Set(kQuantization, 1.0);  // the bit-crush out of the way
  // The filter switched off, the equalizer and the sweep neutral: they pass the steps after
  // the gate, up to their denormal guards (the sweep's low-pass at 21000 Hz lifts its 1e-8
  // guard to about 5e-6 at Nyquist).
  c.Set(kFilterOnOff, 0.0);
  for (int p : {kBassAmount, kMidAmount, kHighAmount, kDumpExpand}) c.Set(p, 0.5);
  c.Set(kGate, 0.5);  // threshold 0.0625
  c.Settle();
  c.Run(0.06, 0.07, 100);
  EXPECT_NEAR(c.outL.back(), 0.0, 1e-5);
  EXPECT_NE(c.outR.back(), 0.0);
  c.Set(kGate, 0.0);
  c.Run(0.06, 0.07, 100);
  EXPECT_NE(c.outL.back(), 0.0);
  c.Set(kGate, 0.5);
  c.Set(kDistortionOnOff, 0.0);
  c.Run(0.06, 0.07, 100);
  EXPECT_NE(c.outL.back(), 0.0);
}

TEST(EffectChain, NonFiniteInputBecomesSilenceAndTheChainRecovers)
{
  const double bad[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                        -std::numeric_limits<double>::infinity()};
  for (double b : bad) {
    Chain c;
    c.Set(kBypassFX, 0.0);
    c.Set(kInputSaturation, 0.3);
    c.Set(kSaturation, 0.3);
    c.Run(b, b, 512);
    for (double x : c.outL) EXPECT_TRUE(std::isfinite(x));
    c.Run(0.25, -0.25, 512);
    for (double x : c.outL) EXPECT_TRUE(std::isfinite(x));
    EXPECT_NE(c.outL.back(), 0.0);
    EXPECT_TRUE(std::isfinite(c.fx.PeakLeft()));
  }
}

TEST(EffectChain, ZeroFramesDoesNothing)
{
  Chain c;
  double* none[2] = {nullptr, nullptr};
  c.fx.ProcessBlock(none, none, 0);
  c.fx.ProcessBlock(none, none, -5);
  EXPECT_EQ(c.fx.PeakLeft(), 0.0);
}

// Switched on while audio runs, the oversampling fades the output out over 200 samples, takes
// over at silence, stays silent while its filters fill and fades back in: no step larger than
// the signal's own plus the fade's.
// Afterwards the output is the input late by exactly the reported latency (the stages that
// run oversampled pass the signal here), whatever the block length. The sections' buffers are
// made when the setting is switched on, for the block size.
TEST(EffectChain, OversamplingSwitchesOverThroughSilenceAndDelaysByItsLatency)
{
  Chain c;
  c.fx.SetBlockSize(256);
  c.fx.ResetAudioState();
  const double w = 2.0 * 3.141592653589793 * 1000.0 / 44100.0;
  std::vector<double> heard;
  int frame = 0;
  auto run = [&](int n) {
    std::vector<double> l(n), r(n), outL(n), outR(n);
    for (int i = 0; i < n; ++i) l[i] = r[i] = 0.5 * std::sin(w * (frame + i));
    double* ins[2] = {l.data(), r.data()};
    double* outs[2] = {outL.data(), outR.data()};
    c.fx.ProcessBlock(ins, outs, n);
    heard.insert(heard.end(), outL.begin(), outL.end());
    frame += n;
  };
  run(1000);
  EXPECT_EQ(c.fx.OversamplingCapacity(), 0);  // no buffers while it was never on
  c.fx.SetOversampling(4);
  EXPECT_EQ(c.fx.GetLatency(), 67);
  EXPECT_EQ(c.fx.OversamplingCapacity(), 256);
  for (int n : {100, 256, 7, 256, 1, 256, 180, 256, 256}) run(n);

  const double signalStep = 0.5 * w;  // the sine's steepest step
  double largest = 0.0, quietest = 1.0;
  for (size_t i = 1001; i < heard.size(); ++i) {
    largest = std::fmax(largest, std::fabs(heard[i] - heard[i - 1]));
    if (i < 1400) quietest = std::fmin(quietest, std::fabs(heard[i]));
  }
  EXPECT_LE(largest, signalStep + 0.5 * SwitchFade::kStep + 1e-9);
  EXPECT_EQ(quietest, 0.0);
  for (size_t i = heard.size() - 500; i < heard.size(); ++i)
    EXPECT_NEAR(heard[i], 0.5 * std::sin(w * (static_cast<double>(i) - 67)), 1e-3) << i;
}
