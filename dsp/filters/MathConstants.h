#pragma once

namespace Dsp {

constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 6.283185307179586;
constexpr double kLn10 = 2.302585092994046;

}  // namespace Dsp
