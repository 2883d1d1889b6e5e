#include "dsp/Equalizer.h"

#include <cmath>
#include <cstring>

#include "dsp/BlockSlices.h"

namespace Kernwave {

namespace {

using namespace Dsp;

// The filter's defaults with the given values written into the slots of those identifiers.
FilterParams Configured(const Filter& f, std::initializer_list<std::pair<ParamId, double>> values)
{
  FilterParams p = f.DefaultParams();
  for (const auto& v : values) p[f.IndexOfParam(v.first)] = v.second;
  return p;
}

void SetGain(Filter& shelf, FilterParams& params, double v)
{
  if (!std::isfinite(v)) return;
  const int slot = shelf.IndexOfParam(IdGain);
  params[slot] = shelf.DescribeParam(slot).ToNativeValue(v);
  shelf.AssignParams(params);
}

}  // namespace

Equalizer::Equalizer()
    : lowShelf(std::make_unique<LowShelf>(kTransitionLength)),
      bandPass(std::make_unique<BandPass>(kTransitionLength)),
      bandStop(std::make_unique<BandStop>(kTransitionLength)),
      highShelf(std::make_unique<HighShelf>(kTransitionLength))
{
  lowShelfParams = Configured(*lowShelf, {{IdFrequency, lowShelfFrequency}, {IdOrder, 2}});
  highShelfParams = Configured(*highShelf, {{IdFrequency, highShelfFrequency}, {IdOrder, 2}});
  const std::initializer_list<std::pair<ParamId, double>> band = {
    {IdFrequency, midCenterFrequency}, {IdBandwidthHz, midBandwidth}, {IdOrder, 2}};
  bandPassParams = Configured(*bandPass, band);
  bandStopParams = Configured(*bandStop, band);
  lowShelf->AssignParams(lowShelfParams);
  highShelf->AssignParams(highShelfParams);
  bandPass->AssignParams(bandPassParams);
  bandStop->AssignParams(bandStopParams);
  ClearFilters();
  ResizeBuffers();
}

Equalizer::~Equalizer() = default;

void Equalizer::SetSampleRate(double rate)
{
  if (!(rate > 0.0) || !std::isfinite(rate)) return;
  sampleRate = rate;
  for (FilterParams* p : {&lowShelfParams, &bandPassParams, &bandStopParams, &highShelfParams})
    (*p)[0] = rate;
  lowShelf->AssignParams(lowShelfParams);
  bandPass->AssignParams(bandPassParams);
  bandStop->AssignParams(bandStopParams);
  highShelf->AssignParams(highShelfParams);
}

void Equalizer::SetBassAmount(double v) { SetGain(*lowShelf, lowShelfParams, v); }

void Equalizer::SetHighAmount(double v) { SetGain(*highShelf, highShelfParams, v); }

void Equalizer::EnsureCapacity(int n)
{
  if (capacity >= n) return;
  capacity = n;
  ResizeBuffers();
}

void Equalizer::ResizeBuffers()
{
  for (auto* b : {&shelfLeft, &shelfRight, &midLeft, &midRight}) {
    std::vector<double>().swap(*b);
    b->assign(capacity, 0.0);
  }
}

void Equalizer::ClearFilters()
{
  lowShelf->ClearState();
  highShelf->ClearState();
  bandPass->ClearState();
  bandStop->ClearState();
}

void Equalizer::ProcessStereo(double* left, double* right, int n)
{
  ForEachSlice(left, right, n, capacity,
               [this](double* l, double* r, int count) { ProcessSlice(l, r, count); });
}

void Equalizer::ProcessSlice(double* left, double* right, int n)
{
  if (IsSilent()) return;
  const bool boost = midAmount > 0.5;
  const bool cut = midAmount < 0.5;
  // The mid weight follows a square law of the knob's distance from its centre.
  const double distance = boost ? 2.0 * (midAmount - 0.5) : 2.0 * (0.5 - midAmount);
  const double e = distance * distance;
  const auto mix = [&](double a, double mid) {
    if (boost) return a + e * mid;
    if (cut) return (1.0 - e) * a + e * mid;
    return a;
  };
  const bool gliding = lowShelf->Gliding() || highShelf->Gliding() || (boost && bandPass->Gliding()) ||
                       (cut && bandStop->Gliding());
  if (!gliding) {
    // Every band in one loop, both channels side by side: the bands' recursions overlap.
    // Flattened: every step inline, the runs' histories in registers.
    const auto bands = [&](auto low, auto high, auto mid) __attribute__((flatten))
    {
      RunFaded(n, [&](int i, double fade) {
        const Dsp::StereoPair x = {left[i], right[i]};
        const Dsp::StereoPair shelved = high.Step(low.Step(x));
        const Dsp::StereoPair band = boost || cut ? mid.Step(x) : x;
        const double a = mix(shelved[0], band[0]);
        const double b = mix(shelved[1], band[1]);
        left[i] = (1.0 - fade) * left[i] + fade * a;
        right[i] = (1.0 - fade) * right[i] + fade * b;
      });
      low.Store();
      high.Store();
      if (boost || cut) mid.Store();
    };
    Dsp::WithLocalRuns(bands, lowShelf->RunPaired(), highShelf->RunPaired(),
                       boost ? bandPass->RunPaired() : bandStop->RunPaired());
    return;
  }

  std::memcpy(shelfLeft.data(), left, n * sizeof(double));
  std::memcpy(midLeft.data(), left, n * sizeof(double));
  std::memcpy(shelfRight.data(), right, n * sizeof(double));
  std::memcpy(midRight.data(), right, n * sizeof(double));
  double* shelf[2] = {shelfLeft.data(), shelfRight.data()};
  double* mid[2] = {midLeft.data(), midRight.data()};
  lowShelf->ProcessSamples(n, shelf);
  highShelf->ProcessSamples(n, shelf);
  if (boost) bandPass->ProcessSamples(n, mid);
  if (cut) bandStop->ProcessSamples(n, mid);
  RunFaded(n, [&](int i, double fade) {
    const double a = mix(shelf[0][i], mid[0][i]);
    const double b = mix(shelf[1][i], mid[1][i]);
    left[i] = (1.0 - fade) * left[i] + fade * a;
    right[i] = (1.0 - fade) * right[i] + fade * b;
  });
}

}  // namespace Kernwave
