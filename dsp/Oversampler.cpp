#include "dsp/Oversampler.h"

#include "dsp/HalfBandCoefficients.h"

namespace Kernwave {

Oversampler::Channel::Channel()
    : hostToDouble(HalfBand::kHostToDouble, HalfBand::kHostToDoubleTaps),
      doubleToQuadruple(HalfBand::kDoubleToQuadruple, HalfBand::kDoubleToQuadrupleTaps),
      quadrupleToDouble(HalfBand::kDoubleToQuadruple, HalfBand::kDoubleToQuadrupleTaps),
      doubleToHost(HalfBand::kHostToDouble, HalfBand::kHostToDoubleTaps)
{}

void Oversampler::Channel::SetCapacity(int frames)
{
  hostToDouble.SetCapacity(frames);
  doubleToQuadruple.SetCapacity(2 * frames);
  quadrupleToDouble.SetCapacity(4 * frames);
  doubleToHost.SetCapacity(2 * frames);
  doubleRate.assign(static_cast<size_t>(2 * frames), 0.0);
}

void Oversampler::Channel::Clear()
{
  hostToDouble.Clear();
  doubleToQuadruple.Clear();
  quadrupleToDouble.Clear();
  doubleToHost.Clear();
}

void Oversampler::Channel::Up(int factor, const double* in, int n, double* out)
{
  if (factor == 2) {
    hostToDouble.Process(in, n, out);
    return;
  }
  hostToDouble.Process(in, n, doubleRate.data());
  doubleToQuadruple.Process(doubleRate.data(), 2 * n, out);
}

void Oversampler::Channel::Down(int factor, const double* in, int n, double* out)
{
  if (factor == 2) {
    doubleToHost.Process(in, n, out);
    return;
  }
  quadrupleToDouble.Process(in, 2 * n, doubleRate.data());
  doubleToHost.Process(doubleRate.data(), n, out);
}

Oversampler::Oversampler() = default;

void Oversampler::SetCapacity(int frames)
{
  capacity = frames > 0 ? frames : 0;
  for (Channel& c : channels) c.SetCapacity(capacity);
  highLeft.assign(static_cast<size_t>(kMaxFactor * capacity), 0.0);
  highRight.assign(static_cast<size_t>(kMaxFactor * capacity), 0.0);
}

void Oversampler::Clear()
{
  for (Channel& c : channels) c.Clear();
}

}  // namespace Kernwave
