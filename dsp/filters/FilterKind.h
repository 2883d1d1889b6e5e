#pragma once

namespace Dsp {

enum class FilterKind {
  LowPass = 0,
  HighPass = 1,
  BandPass = 2,
  BandStop = 3,
  LowShelf = 4,
  HighShelf = 5,
  BandShelf = 6
};

}  // namespace Dsp
