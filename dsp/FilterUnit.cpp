#include "dsp/FilterUnit.h"

#include <cmath>
#include <cstring>

#include "dsp/BlockSlices.h"
#include "dsp/filters/ChebyshevI.h"
#include "dsp/filters/DirectFormII.h"
#include "dsp/filters/RBJ.h"
#include "dsp/filters/SmoothedFilterDesign.h"

namespace Kernwave {

namespace {

using namespace Dsp;

template <class Design>
using Smoothed = SmoothedFilterDesign<Design, 2, DirectFormII>;
using ChebyHighPass = Smoothed<ChebyshevI::Design::HighPass<4>>;
using ChebyLowPass = Smoothed<ChebyshevI::Design::LowPass<4>>;

const char* const kRbjNames[FilterUnit::kModes] = {"RBJ-LP", "RBJ-HP", "RBJ-BP1", "RBJ-BS"};
const char* const kChebyNames[FilterUnit::kModes] = {"HP 12dB", "HP 24dB", "LP 12dB", "LP 24dB"};
const int kChebyOrders[FilterUnit::kModes] = {2, 4, 2, 4};

int IndexOfName(const char* text, const char* const* names)
{
  if (!text) return 0;
  for (int i = 0; i < FilterUnit::kModes; ++i)
    if (std::strcmp(text, names[i]) == 0) return i;
  return 0;
}

}  // namespace

FilterUnit::FilterUnit()
{
  rbjFilters[0] = std::make_unique<Smoothed<RBJ::Design::LowPass>>(kTransitionLength);
  rbjFilters[1] = std::make_unique<Smoothed<RBJ::Design::HighPass>>(kTransitionLength);
  rbjFilters[2] = std::make_unique<Smoothed<RBJ::Design::BandPass1>>(kTransitionLength);
  rbjFilters[3] = std::make_unique<Smoothed<RBJ::Design::BandStop>>(kTransitionLength);
  chebyFilters[0] = std::make_unique<ChebyHighPass>(kTransitionLength);
  chebyFilters[1] = std::make_unique<ChebyHighPass>(kTransitionLength);
  chebyFilters[2] = std::make_unique<ChebyLowPass>(kTransitionLength);
  chebyFilters[3] = std::make_unique<ChebyLowPass>(kTransitionLength);
  for (auto& f : rbjFilters) f->AssignParams(f->DefaultParams());
  for (auto& f : chebyFilters) f->AssignParams(f->DefaultParams());
  // The 24 dB filters glide from the default order 2 up to 4.
  for (int i = 0; i < kModes; ++i) {
    Filter& f = *chebyFilters[i];
    scratch = f.CurrentParams();
    scratch[f.IndexOfParam(IdOrder)] = kChebyOrders[i];
    f.AssignParams(scratch);
  }
  ResizeBuffers();
}

FilterUnit::~FilterUnit() = default;

void FilterUnit::SetSampleRate(double rate)
{
  if (!(rate > 0.0) || !std::isfinite(rate)) return;
  sampleRate = rate;
  for (auto* set : {&rbjFilters, &chebyFilters}) {
    for (auto& f : *set) {
      const int slot = f->IndexOfParam(IdSampleRate);
      if (slot < 0) continue;
      scratch = f->CurrentParams();
      scratch[slot] = rate;
      f->AssignParams(scratch);
    }
  }
}

void FilterUnit::SetControl(Filter& filter, int slot, double v)
{
  if (slot < 0) return;
  scratch = filter.CurrentParams();
  scratch[slot] = filter.DescribeParam(slot).ToNativeValue(v);
  filter.AssignParams(scratch);
}

void FilterUnit::SetCutoff(double v)
{
  if (!std::isfinite(v)) return;
  for (auto* set : {&rbjFilters, &chebyFilters})
    for (auto& f : *set) SetControl(*f, f->IndexOfParam(IdFrequency), v);
}

void FilterUnit::SetResonance(double v)
{
  if (!std::isfinite(v)) return;
  for (auto* set : {&rbjFilters, &chebyFilters}) {
    for (auto& f : *set) {
      int slot = f->IndexOfParam(IdQ);
      if (slot < 0) slot = f->IndexOfParam(IdRippleDb);
      if (slot < 0) slot = f->IndexOfParam(IdBandwidth);
      SetControl(*f, slot, v);
    }
  }
}

void FilterUnit::EnsureCapacity(int maxBlockSize)
{
  if (capacity >= maxBlockSize) return;
  capacity = maxBlockSize;
  for (auto* b : {&rbjLeft, &rbjRight, &chebyLeft, &chebyRight}) std::vector<double>().swap(*b);
  ResizeBuffers();
}

void FilterUnit::ResizeBuffers()
{
  for (auto* b : {&rbjLeft, &rbjRight, &chebyLeft, &chebyRight}) b->assign(capacity, 0.0);
}

void FilterUnit::ClearFilters()
{
  for (auto& f : rbjFilters) f->ClearState();
  for (auto& f : chebyFilters) f->ClearState();
}

int FilterUnit::ModeIndex(double v)
{
  const double index = std::floor(3.0 * v + 0.5);
  return index >= 0.0 && index < kModes ? static_cast<int>(index) : -1;
}

Filter& FilterUnit::SelectedRbj() const
{
  const int i = ModeIndex(rbjSelect);
  return *rbjFilters[i < 0 ? 0 : i];
}

Filter& FilterUnit::SelectedCheby() const
{
  const int i = ModeIndex(chebySelect);
  return *chebyFilters[i < 0 ? 0 : i];
}

void FilterUnit::ProcessStereo(double* left, double* right, int n)
{
  ForEachSlice(left, right, n, capacity,
               [this](double* l, double* r, int count) { ProcessSlice(l, r, count); });
}

void FilterUnit::ProcessSlice(double* left, double* right, int n)
{
  if (IsSilent()) return;
  double* rbjL = rbjLeft.data();
  double* rbjR = rbjRight.data();
  double* chebyL = chebyLeft.data();
  double* chebyR = chebyRight.data();
  std::memcpy(rbjL, left, n * sizeof(double));
  std::memcpy(chebyL, left, n * sizeof(double));
  std::memcpy(rbjR, right, n * sizeof(double));
  std::memcpy(chebyR, right, n * sizeof(double));

  double* rbj[2] = {rbjL, rbjR};
  double* cheby[2] = {chebyL, chebyR};
  SelectedRbj().ProcessSamples(n, rbj);
  SelectedCheby().ProcessSamples(n, cheby);

  const auto mix = [&](int i, double m) {
    const double wetL = rbjL[i] * (1.0 - m) + chebyL[i] * m;
    const double wetR = rbjR[i] * (1.0 - m) + chebyR[i] * m;
    if (fadeGain == 1.0) {
      left[i] = wetL;
      right[i] = wetR;
    } else {
      left[i] = (1.0 - fadeGain) * left[i] + fadeGain * wetL;
      right[i] = (1.0 - fadeGain) * right[i] + fadeGain * wetR;
    }
  };
  if (SmoothingSettled(typeMix, smoothingWeight, inputWeight, typeTarget) && fadeGain == 1.0) {
    for (int i = 0; i < n; ++i) mix(i, typeMix);
    return;
  }
  for (int i = 0; i < n; ++i) {
    typeMix = smoothingWeight * typeMix + inputWeight * typeTarget;
    mix(i, typeMix);
    AdvanceFade();
  }
}

double FilterUnit::CurrentCutoffHz() const
{
  const Filter& f = *chebyFilters[0];
  return f.CurrentParams()[f.IndexOfParam(IdFrequency)];
}

const char* FilterUnit::RbjModeName(double v)
{
  const int i = ModeIndex(v);
  return i < 0 ? "" : kRbjNames[i];
}

const char* FilterUnit::ChebyModeName(double v)
{
  const int i = ModeIndex(v);
  return i < 0 ? "" : kChebyNames[i];
}

int FilterUnit::RbjModeFromName(const char* text)
{
  if (text && std::strcmp(text, "RBJ-BP") == 0) return 2;
  return IndexOfName(text, kRbjNames);
}

int FilterUnit::ChebyModeFromName(const char* text) { return IndexOfName(text, kChebyNames); }

}  // namespace Kernwave
