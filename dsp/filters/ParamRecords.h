#pragma once

#include "dsp/filters/ParamInfo.h"

// The parameter records shared by every design.
namespace Dsp::ParamRecords {

ParamInfo SampleRate();
ParamInfo CutoffFrequency();
ParamInfo CenterFrequency();
ParamInfo Q();
ParamInfo BandwidthOctaves();
ParamInfo BandwidthHz();
ParamInfo Gain();
ParamInfo Order(int maxOrder);
ParamInfo RippleDb();

}  // namespace Dsp::ParamRecords
