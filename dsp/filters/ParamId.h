#pragma once

namespace Dsp {

// Identifiers by which the processing units find a parameter; the values are fixed.
enum ParamId {
  IdSampleRate = 0,
  IdFrequency = 1,
  IdQ = 2,
  IdBandwidth = 3,
  IdBandwidthHz = 4,
  IdGain = 5,
  IdOrder = 7,
  IdRippleDb = 8
};

}  // namespace Dsp
