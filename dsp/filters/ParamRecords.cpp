#include "dsp/filters/ParamRecords.h"

namespace Dsp::ParamRecords {

using namespace Mapping;

ParamInfo SampleRate()
{
  return {IdSampleRate,    "Fs",           "Sample Rate", 11025, 192000, 44100,
          LinearToControl, LinearToNative, Display::Hertz};
}

ParamInfo CutoffFrequency()
{
  return {IdFrequency, "Fc", "Cutoff Frequency", 10, 22040, 2000, LogToControl, LogToNative, Display::Hertz};
}

ParamInfo CenterFrequency()
{
  return {IdFrequency, "Fc", "Center Frequency", 10, 22040, 2000, LogToControl, LogToNative, Display::Hertz};
}

ParamInfo Q() { return {IdQ, "Q", "Resonance", -4, 4, 1, OctaveToControl, OctaveToNative, Display::Fixed}; }

ParamInfo BandwidthOctaves()
{
  return {IdBandwidth,     "BW",           "Bandwidth (Octaves)", -4, 4, 1,
          OctaveToControl, OctaveToNative, Display::Fixed};
}

ParamInfo BandwidthHz()
{
  return {IdBandwidthHz, "BW", "Bandwidth (Hz)", 10, 22040, 1720, LogToControl, LogToNative, Display::Hertz};
}

ParamInfo Gain()
{
  return {IdGain, "Gain", "Gain", -24, 24, -6, LinearToControl, LinearToNative, Display::Decibel};
}

ParamInfo Order(int maxOrder)
{
  return {IdOrder,         "Order",         "Order",       1, static_cast<double>(maxOrder), 2,
          LinearToControl, IntegerToNative, Display::Plain};
}

ParamInfo RippleDb()
{
  return {IdRippleDb, "Ripple",        "Ripple dB",    0.001,           12,
          0.01,       LinearToControl, LinearToNative, Display::Decibel};
}

}  // namespace Dsp::ParamRecords
