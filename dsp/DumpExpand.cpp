#include "dsp/DumpExpand.h"

#include <cmath>
#include <cstring>

#include "dsp/BlockSlices.h"

namespace Kernwave {

namespace {

using namespace Dsp;

// Defaults, order 2 and the given cutoff: applied once as they are, then with the cutoff.
FilterParams Start(Filter& f, double cutoffHz)
{
  FilterParams p = f.DefaultParams();
  f.AssignParams(p);
  p[f.IndexOfParam(IdOrder)] = 2.0;
  p[f.IndexOfParam(IdFrequency)] = cutoffHz;
  f.AssignParams(p);
  return p;
}

// The cutoff for control value c (which may lie below 0: the frequency record continues
// its logarithmic law there), capped when asked.
void Sweep(Filter& f, FilterParams& params, double c, bool cap)
{
  params = f.CurrentParams();
  const int slot = f.IndexOfParam(IdFrequency);
  double hz = f.DescribeParam(slot).ToNativeValue(c);
  if (cap && hz > DumpExpand::kCappedTopHz) hz = DumpExpand::kCappedTopHz;
  params[slot] = hz;
  f.AssignParams(params);
}

}  // namespace

DumpExpand::DumpExpand()
    : lowPass(std::make_unique<LowPass>(kTransitionLength)),
      highPass(std::make_unique<HighPass>(kTransitionLength))
{
  lowPassParams = Start(*lowPass, 100.0);
  highPassParams = Start(*highPass, 4000.0);
  ClearFilters();
  scratchLeft.assign(capacity, 0.0);
  scratchRight.assign(capacity, 0.0);
}

DumpExpand::~DumpExpand() = default;

void DumpExpand::SetSampleRate(double rate)
{
  if (!(rate > 0.0) || !std::isfinite(rate)) return;
  sampleRate = rate;
  highPassParams[IdSampleRate] = rate;
  lowPassParams[IdSampleRate] = rate;
  highPass->AssignParams(highPassParams);
  lowPass->AssignParams(lowPassParams);
}

void DumpExpand::EnsureCapacity(int maxBlockSize)
{
  if (capacity >= maxBlockSize) return;
  capacity = maxBlockSize;
  scratchLeft = std::vector<double>(capacity);
  scratchRight = std::vector<double>(capacity);
}

void DumpExpand::ClearFilters()
{
  lowPass->ClearState();
  highPass->ClearState();
}

void DumpExpand::SetValue(double x)
{
  if (std::isnan(x)) return;
  value = x < 0.0 ? 0.0 : (x > 1.0 ? 1.0 : x);
  const bool cap = sampleRate <= kCapRate;
  const double high = (value - 0.5) * 2.0;
  Sweep(*highPass, highPassParams, high > 1.0 ? 1.0 : high, cap);
  const double low = 2.0 * value;
  Sweep(*lowPass, lowPassParams, low > 1.0 ? 1.0 : low, cap);
}

void DumpExpand::ProcessDumpExpand(double* left, double* right, int n)
{
  ForEachSlice(left, right, n, capacity,
               [this](double* l, double* r, int count) { ProcessSlice(l, r, count); });
}

void DumpExpand::ProcessSlice(double* left, double* right, int n)
{
  if (IsSilent()) return;
  const bool expand = value >= 0.5;
  if (!lowPass->Gliding() && !(expand && highPass->Gliding())) {
    // Both filters in one loop, both channels side by side: their recursions overlap.
    // Flattened: every step inline, the runs' histories in registers.
    const auto filters = [&](auto low, auto high) __attribute__((flatten))
    {
      RunFaded(n, [&](int i, double fade) {
        Dsp::StereoPair y = low.Step(Dsp::StereoPair{left[i], right[i]});
        if (expand) y = high.Step(y);
        left[i] = (1.0 - fade) * left[i] + fade * y[0];
        right[i] = (1.0 - fade) * right[i] + fade * y[1];
      });
      low.Store();
      if (expand) high.Store();
    };
    Dsp::WithLocalRuns(filters, lowPass->RunPaired(), highPass->RunPaired());
    return;
  }

  std::memcpy(scratchLeft.data(), left, n * sizeof(double));
  std::memcpy(scratchRight.data(), right, n * sizeof(double));
  double* scratch[2] = {scratchLeft.data(), scratchRight.data()};
  lowPass->ProcessSamples(n, scratch);
  if (expand) highPass->ProcessSamples(n, scratch);
  RunFaded(n, [&](int i, double fade) {
    left[i] = (1.0 - fade) * left[i] + fade * scratch[0][i];
    right[i] = (1.0 - fade) * right[i] + fade * scratch[1][i];
  });
}

}  // namespace Kernwave
