#include <gtest/gtest.h>

#include "dsp/filters/ParamRecords.h"

using namespace Dsp;

TEST(ParamInfo, FrequencyRecordIsLogarithmicFrom10To22040Hz)
{
  const ParamInfo f = ParamRecords::CutoffFrequency();
  // 10 * 2204^v; the figures are rounded to 0.1 Hz.
  EXPECT_NEAR(f.ToNativeValue(0.25), 68.5, 0.05);
  EXPECT_NEAR(f.ToNativeValue(0.5), 469.5, 0.05);
  EXPECT_NEAR(f.ToNativeValue(0.75), 3216.7, 0.05);
  EXPECT_NEAR(f.ToNativeValue(0.0), 10.0, 1e-12);
  EXPECT_NEAR(f.ToNativeValue(1.0), 22040.0, 1e-9);
  EXPECT_NEAR(f.ToControlValue(469.4677), 0.5, 1e-6);
  EXPECT_EQ(ParamRecords::CenterFrequency().ToNativeValue(0.5), f.ToNativeValue(0.5));
}

TEST(ParamInfo, OctaveRecordsGiveOneAtTheMiddle)
{
  const ParamInfo q = ParamRecords::Q();
  EXPECT_EQ(q.ToNativeValue(0.5), 1.0);
  EXPECT_EQ(q.ToNativeValue(0.0), 0.0625);
  EXPECT_EQ(q.ToNativeValue(1.0), 16.0);
  EXPECT_EQ(q.ToControlValue(4.0), 0.75);
  EXPECT_EQ(ParamRecords::BandwidthOctaves().ToNativeValue(0.25), 0.25);
}

TEST(ParamInfo, LinearAndIntegerRecords)
{
  EXPECT_DOUBLE_EQ(ParamRecords::RippleDb().ToNativeValue(0.5), 6.0005);
  EXPECT_EQ(ParamRecords::Gain().ToNativeValue(0.5), 0.0);
  EXPECT_EQ(ParamRecords::Gain().ToNativeValue(1.0), 24.0);
  EXPECT_EQ(ParamRecords::Gain().ToControlValue(-24.0), 0.0);
  const ParamInfo order = ParamRecords::Order(4);
  EXPECT_EQ(order.ToNativeValue(0.0), 1.0);
  EXPECT_EQ(order.ToNativeValue(0.49), 2.0);  // 1 + 3 * 0.49 = 2.47 rounds to 2
  EXPECT_EQ(order.ToNativeValue(0.5), 3.0);   // 2.5 rounds up
  EXPECT_EQ(order.ToNativeValue(1.0), 4.0);
  EXPECT_EQ(order.ToControlValue(4.0), 1.0);
}

TEST(ParamInfo, DisplayTexts)
{
  EXPECT_EQ(ParamRecords::SampleRate().ToDisplayText(44100), "44100 Hz");
  EXPECT_EQ(ParamRecords::CutoffFrequency().ToDisplayText(469.4677), "469.468 Hz");
  EXPECT_EQ(ParamRecords::Q().ToDisplayText(1.0), "1.000");
  EXPECT_EQ(ParamRecords::Order(2).ToDisplayText(2.0), "2");
  const ParamInfo gain = ParamRecords::Gain();
  EXPECT_EQ(gain.ToDisplayText(0.5), "0.500 dB");
  EXPECT_EQ(gain.ToDisplayText(-6.0), "-6.00 dB");
  EXPECT_EQ(gain.ToDisplayText(-10.0), "-10.0 dB");
  EXPECT_EQ(gain.ToDisplayText(24.0), "24.0 dB");
}

TEST(ParamInfo, RecordTable)
{
  const ParamInfo records[] = {ParamRecords::SampleRate(),  ParamRecords::CutoffFrequency(),
                               ParamRecords::Q(),           ParamRecords::BandwidthOctaves(),
                               ParamRecords::BandwidthHz(), ParamRecords::Gain(),
                               ParamRecords::Order(2),      ParamRecords::RippleDb()};
  const ParamId ids[] = {IdSampleRate,  IdFrequency, IdQ,     IdBandwidth,
                         IdBandwidthHz, IdGain,      IdOrder, IdRippleDb};
  const double defaults[] = {44100, 2000, 1, 1, 1720, -6, 2, 0.01};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(records[i].id, ids[i]);
    EXPECT_EQ(records[i].defaultValue, defaults[i]);
  }
  EXPECT_STREQ(ParamRecords::BandwidthHz().name, "Bandwidth (Hz)");
  EXPECT_STREQ(ParamRecords::RippleDb().shortName, "Ripple");
  EXPECT_EQ(ParamRecords::SampleRate().minimum, 11025);
  EXPECT_EQ(ParamRecords::SampleRate().maximum, 192000);
}
