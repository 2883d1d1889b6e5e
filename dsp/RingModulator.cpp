#include "dsp/RingModulator.h"

namespace Kernwave {

void RingModulator::SetSampleRate(double rate) { sampleRate = rate; }

void RingModulator::SetFrequency(double v)
{
  frequency = v;
  phaseIncrement = (1.0 / sampleRate) * v * maxFrequency * 6.283185307179586;
}

void RingModulator::Process(double*, double*, int) {}

}  // namespace Kernwave
