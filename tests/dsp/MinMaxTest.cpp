#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "dsp/MinMax.h"

using namespace Kernwave;

// The chain's results stay those of the conditional forms only if these match them in the
// corner cases as well: NaN on either side, and zeros of both signs.
TEST(MinMax, MatchTheConditionalFormsEverywhere)
{
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double values[] = {
    -2.0, -1.0, -0.0, 0.0, 0.5, 1.0, 3.0, nan, std::numeric_limits<double>::infinity()};
  for (double a : values) {
    for (double b : values) {
      const double max = a > b ? a : b, min = a < b ? a : b;
      EXPECT_EQ(std::signbit(MaxOf(a, b)), std::signbit(max)) << a << " " << b;
      EXPECT_EQ(std::signbit(MinOf(a, b)), std::signbit(min)) << a << " " << b;
      EXPECT_TRUE(MaxOf(a, b) == max || (std::isnan(max) && std::isnan(MaxOf(a, b))));
      EXPECT_TRUE(MinOf(a, b) == min || (std::isnan(min) && std::isnan(MinOf(a, b))));
    }
  }
}

TEST(MinMax, ClampLimitsAndLetsNaNThrough)
{
  EXPECT_EQ(Clamp(2.0, -1.0, 1.0), 1.0);
  EXPECT_EQ(Clamp(-7.0, -1.0, 1.0), -1.0);
  EXPECT_EQ(Clamp(0.25, -1.0, 1.0), 0.25);
  EXPECT_EQ(Clamp(-std::numeric_limits<double>::infinity(), -25.0, 25.0), -25.0);
  EXPECT_TRUE(std::signbit(Clamp(-0.0, -1.0, 1.0)));
  EXPECT_TRUE(std::isnan(Clamp(std::numeric_limits<double>::quiet_NaN(), -1.0, 1.0)));
}
