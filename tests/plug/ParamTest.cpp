#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "plug/IPlugParam.h"

namespace {

IPlugParam Defined(double step, double def = 0.0, double lo = 0.0, double hi = 1.0)
{
  IPlugParam p;
  p.DefineDouble("Name", def, lo, hi, step, "Hz");
  return p;
}

std::string Display(const IPlugParam& p)
{
  char buf[64];
  p.GetDisplayForHost(buf);
  return buf;
}

}  // namespace

TEST(IPlugParam, FreshRecordHoldsTheUndefinedValues)
{
  IPlugParam p;
  EXPECT_EQ(p.kind, 0);
  EXPECT_EQ(p.maximum, 1.0);
  EXPECT_EQ(p.step, 1.0);
  EXPECT_EQ(p.shape, 1.0);
  EXPECT_STREQ(p.name, "");
}

TEST(IPlugParam, DisplayPrecisionFollowsTheStepAsComputed)
{
  EXPECT_EQ(Defined(0.0000001).displayPrecision, 6);
  EXPECT_EQ(Defined(0.00000001).displayPrecision, 6);
  EXPECT_EQ(Defined(0.001).displayPrecision, 3);
  EXPECT_EQ(Defined(0.25).displayPrecision, 2);
  EXPECT_EQ(Defined(0.3).displayPrecision, 1);
  EXPECT_EQ(Defined(1.0).displayPrecision, 0);
}

TEST(IPlugParam, DisplayTextUsesPrecisionOrTruncatedInteger)
{
  IPlugParam fine = Defined(0.0000001, 0.5);
  EXPECT_EQ(Display(fine), "0.500000");
  IPlugParam sw = Defined(1.0, 1.0, 0.0, 2.0);
  EXPECT_EQ(Display(sw), "1");
  sw.value = 1.9;
  EXPECT_EQ(Display(sw), "1");
  sw.displayNegated = true;
  EXPECT_EQ(Display(sw), "-1");
}

TEST(IPlugParam, MaximumIsRaisedToMinimumPlusStep)
{
  IPlugParam p = Defined(1.0, 0.0, 0.0, 0.5);
  EXPECT_EQ(p.maximum, 1.0);
}

TEST(IPlugParam, NormalisationIsLinearForShapeOneAndClamps)
{
  IPlugParam p = Defined(0.001);
  p.SetFromNormalized(0.25);
  EXPECT_EQ(p.value, 0.25);
  EXPECT_EQ(p.ToNormalized(3.0), 1.0);
  EXPECT_EQ(p.ToNormalized(-3.0), 0.0);
  p.SetFromNormalized(0.0015);  // between two steps: a double parameter is not snapped
  EXPECT_EQ(p.value, 0.0015);
  p.SetFromNormalized(1.5);
  EXPECT_EQ(p.value, 1.0);
}

TEST(IPlugParam, ClampTakesInfinitiesToTheEndsAndNotANumberToTheMinimum)
{
  const IPlugParam p = Defined(0.001, 0.5, 0.25, 0.75);
  EXPECT_EQ(p.Clamp(HUGE_VAL), 0.75);
  EXPECT_EQ(p.Clamp(-HUGE_VAL), 0.25);
  EXPECT_EQ(p.Clamp(std::nan("")), 0.25);
  EXPECT_EQ(p.ToNormalized(std::nan("")), 0.0);
  EXPECT_EQ(p.Clamp(0.3), 0.3);
}

TEST(IPlugParam, NonDoubleKindsSnapToTheStep)
{
  IPlugParam p;
  p.kind = IPlugParam::kInt;
  p.DefineDouble("Steps", 0.0, 0.0, 10.0, 1.0, "");
  EXPECT_EQ(p.kind, IPlugParam::kInt);
  p.SetFromNormalized(0.26);
  EXPECT_EQ(p.value, 3.0);
}

TEST(IPlugParam, DisplayTextsReplaceNumberAndLabelAndGateTextEntry)
{
  IPlugParam p = Defined(1.0, 0.0, 0.0, 2.0);
  p.SetDisplayText(0, "Off");
  p.SetDisplayText(1, "On");
  EXPECT_EQ(Display(p), "Off");
  EXPECT_STREQ(p.GetLabelForHost(), "");
  double v = -1.0;
  EXPECT_TRUE(p.MapDisplayText("On", v));
  EXPECT_EQ(v, 1.0);
  EXPECT_FALSE(p.MapDisplayText("on", v));
  p.value = 2.0;  // no entry: the number and the label come back
  EXPECT_EQ(Display(p), "2");
  EXPECT_STREQ(p.GetLabelForHost(), "Hz");
}

TEST(IPlugParam, TextEntryUsesAtofAndNegation)
{
  IPlugParam p = Defined(0.001);
  double v = 0.0;
  EXPECT_TRUE(p.MapDisplayText("0.75 Hz", v));
  EXPECT_EQ(v, 0.75);
  p.displayNegated = true;
  EXPECT_TRUE(p.MapDisplayText("0.5", v));
  EXPECT_EQ(v, -0.5);
}

TEST(IPlugParam, HugeValuesDisplayWithoutOverflow)
{
  IPlugParam p = Defined(1.0, 0.0, 0.0, 1e300);
  p.value = 1e300;
  EXPECT_EQ(Display(p), "0");
}
