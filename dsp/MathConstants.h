#pragma once

#include "dsp/filters/MathConstants.h"

namespace Kernwave {

using Dsp::kPi;
using Dsp::kTwoPi;

}  // namespace Kernwave
