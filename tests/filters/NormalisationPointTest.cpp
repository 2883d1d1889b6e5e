#include <gtest/gtest.h>

#include "dsp/filters/BiquadCascade.h"

using namespace Dsp;

// A cascade keeps its unit-circle point from one normalisation to the next; moving it to
// another frequency, or back, gives what a fresh point gives.
TEST(NormalisationPoint, KeptPointEqualsAFreshOne)
{
  BiquadCoefficients stages[2];
  stages[0].Set(1.2, -1.1, 0.4, 0.3, 0.2, 0.1);
  stages[1].Set(1.0, 0.5, 0.25, 1.0, -0.5, 0.2);
  UnitCirclePoint kept;
  for (double w : {0.0, 3.141592653589793, 0.7, 0.7, 3.141592653589793, -0.0}) {
    BiquadCoefficients a[2] = {stages[0], stages[1]}, b[2] = {stages[0], stages[1]};
    UnitCirclePoint fresh;
    NormaliseCascade(a, 2, w, 0.5, kept);
    NormaliseCascade(b, 2, w, 0.5, fresh);
    EXPECT_EQ(a[0].b0, b[0].b0) << w;
    EXPECT_EQ(a[0].b1, b[0].b1) << w;
    EXPECT_EQ(a[0].b2, b[0].b2) << w;
    EXPECT_EQ(a[1].b0, stages[1].b0) << w;  // only the first stage is scaled
    EXPECT_NEAR(std::abs(CascadeResponse(a, 2, w / 6.283185307179586)), 0.5, 1e-12) << w;
  }
}
