#pragma once

namespace Dsp {

// pi and 2 pi, each the double nearest to it; the effect's one definition of pi.
constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 2.0 * kPi;
static_assert(kTwoPi == 6.283185307179586, "doubling is exact: 2 pi keeps the bits of pi");
constexpr double kLn10 = 2.302585092994046;

}  // namespace Dsp
