#pragma once

// The plug-in format adapter the effect derives from. The effect's sources are compiled once
// per format, each build defining its format; without a definition they build for VST2.
#if defined(SKARVEL_FORMAT_LV2)
#include "plug/lv2/IPlugLV2.h"
using IPlug = IPlugLV2;
#elif defined(SKARVEL_FORMAT_VST3)
#include "plug/vst3/IPlugVST3.h"
using IPlug = IPlugVST3;
#elif defined(SKARVEL_FORMAT_CLAP)
#include "plug/clap/IPlugCLAP.h"
using IPlug = IPlugCLAP;
#else
#include "plug/vst2/IPlugVST.h"
using IPlug = IPlugVST;
#endif
