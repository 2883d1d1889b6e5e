#include <gtest/gtest.h>

#include <vector>

#include "dsp/OnePoleSmoother.h"

namespace {

using Kernwave::OnePoleSmoother;

// Every frame's state, stepping one frame at a time.
std::vector<double> Stepped(OnePoleSmoother s, double target, int n)
{
  std::vector<double> out;
  for (int i = 0; i < n; ++i) out.push_back(s.Step(target));
  return out;
}

}  // namespace

// Run hands over the state as a constant once a step no longer changes it; block by block
// the frames see the very values of stepping every frame, through the settling point and
// after a new target.
TEST(OnePoleSmoother, RunGivesTheValuesOfSteppingEveryFrame)
{
  for (const OnePoleSmoother start : {OnePoleSmoother{0.987654321, 0.012345679000000054, 0.0},
                                      OnePoleSmoother{0.99987654321, 0.00012345679000003162, 0.3}}) {
    for (double target : {0.75, 0.0, -0.4}) {
      const int n = start.previousWeight > 0.999 ? 300000 : 8000;
      const std::vector<double> want = Stepped(start, target, n);
      OnePoleSmoother s = start;
      std::vector<double> got;
      for (int done = 0; done < n; done += 256)
        s.Run(target, std::min(256, n - done), [&](int, double v) { got.push_back(v); });
      ASSERT_EQ(got, want) << target;
      // Long enough to reach the fixed point, except towards 0, where the state decays
      // geometrically through the whole exponent range first.
      if (target != 0.0) {
        EXPECT_TRUE(s.Settled(target)) << target;
      }
      EXPECT_FALSE(s.Settled(target + 0.5));
    }
  }
}
