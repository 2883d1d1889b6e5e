#include "dsp/FilterUnit.h"

#include <cmath>
#include <cstring>
#include <utility>

#include "dsp/BlockSlices.h"
#include "dsp/filters/ChebyshevI.h"
#include "dsp/filters/DirectFormII.h"
#include "dsp/filters/RBJ.h"
#include "dsp/filters/SmoothedFilterDesign.h"

namespace Kernwave {

using Dsp::ParamInfo;

// One control value in the native units of each parameter record it is given. The filters
// share their records (every frequency maps alike), so each distinct mapping is evaluated
// once: the mappings are logarithms and powers, and a gliding cutoff changes every block.
class SharedNativeValue
{
public:
  explicit SharedNativeValue(double controlValue) : control(controlValue) {}

  double In(const ParamInfo& info)
  {
    if (info.toNative != rule || info.minimum != minimum || info.maximum != maximum) {
      rule = info.toNative;
      minimum = info.minimum;
      maximum = info.maximum;
      native = info.ToNativeValue(control);
    }
    return native;
  }

private:
  double control;
  ParamInfo::ToNativeRule rule = nullptr;
  double minimum = 0.0;
  double maximum = 0.0;
  double native = 0.0;
};

namespace {

using namespace Dsp;

template <class Design> using Smoothed = SmoothedFilterDesign<Design, 2, DirectFormII>;
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

// Makes a filter, keeping it as a Dsp::Filter and as a stereo pair.
template <class F, class Pair> std::unique_ptr<Filter> Make(Pair*& pair)
{
  auto f = std::make_unique<F>(FilterUnit::kTransitionLength);
  pair = f.get();
  return f;
}

}  // namespace

FilterUnit::FilterUnit()
{
  rbjFilters[0] = Make<Smoothed<RBJ::Design::LowPass>>(rbjPairs[0]);
  rbjFilters[1] = Make<Smoothed<RBJ::Design::HighPass>>(rbjPairs[1]);
  rbjFilters[2] = Make<Smoothed<RBJ::Design::BandPass1>>(rbjPairs[2]);
  rbjFilters[3] = Make<Smoothed<RBJ::Design::BandStop>>(rbjPairs[3]);
  chebyFilters[0] = Make<ChebyHighPass>(chebyPairs[0]);
  chebyFilters[1] = Make<ChebyHighPass>(chebyPairs[1]);
  chebyFilters[2] = Make<ChebyLowPass>(chebyPairs[2]);
  chebyFilters[3] = Make<ChebyLowPass>(chebyPairs[3]);
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

void FilterUnit::SetControl(Filter& filter, int slot, SharedNativeValue& value)
{
  if (slot < 0) return;
  scratch = filter.CurrentParams();
  scratch[slot] = value.In(filter.DescribeParam(slot));
  filter.AssignParams(scratch);
}

void FilterUnit::SetCutoff(double v)
{
  if (!std::isfinite(v)) return;
  SharedNativeValue value(v);
  for (auto* set : {&rbjFilters, &chebyFilters})
    for (auto& f : *set) SetControl(*f, f->IndexOfParam(IdFrequency), value);
}

void FilterUnit::SetResonance(double v)
{
  if (!std::isfinite(v)) return;
  SharedNativeValue value(v);
  for (auto* set : {&rbjFilters, &chebyFilters}) {
    for (auto& f : *set) {
      int slot = f->IndexOfParam(IdQ);
      if (slot < 0) slot = f->IndexOfParam(IdRippleDb);
      if (slot < 0) slot = f->IndexOfParam(IdBandwidth);
      SetControl(*f, slot, value);
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

int FilterUnit::SelectedIndex(double v)
{
  const int i = ModeIndex(v);
  return i < 0 ? 0 : i;
}

Filter& FilterUnit::SelectedRbj() const { return *rbjFilters[SelectedIndex(rbjSelect)]; }

Filter& FilterUnit::SelectedCheby() const { return *chebyFilters[SelectedIndex(chebySelect)]; }

void FilterUnit::ProcessStereo(double* left, double* right, int n)
{
  ForEachSlice(left, right, n, capacity,
               [this](double* l, double* r, int count) { ProcessSlice(l, r, count); });
}

void FilterUnit::ProcessSlice(double* left, double* right, int n)
{
  if (IsSilent()) return;
  RbjPair& rbjPair = *rbjPairs[SelectedIndex(rbjSelect)];
  ChebyPair& chebyPair = *chebyPairs[SelectedIndex(chebySelect)];
  if (!rbjPair.Gliding() && !chebyPair.Gliding()) {
    // Both paths in one loop, both channels side by side: their recursions overlap.
    auto rbj = rbjPair.RunPaired();
    auto cheby = chebyPair.RunPaired();
    Mix(left, right, n, [&](int i) {
      const StereoPair x = {left[i], right[i]};
      const StereoPair r = rbj.Step(x);
      return std::make_pair(r, cheby.Step(x));
    });
    rbj.Store();
    cheby.Store();
    return;
  }

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
  Mix(left, right, n, [&](int i) {
    return std::make_pair(StereoPair{rbjL[i], rbjR[i]}, StereoPair{chebyL[i], chebyR[i]});
  });
}

template <class Wet> void FilterUnit::Mix(double* left, double* right, int n, Wet&& wet)
{
  const auto mix = [&](int i, double m) {
    const auto paths = wet(i);
    const StereoPair mixed = paths.first * (1.0 - m) + paths.second * m;
    const double wetL = mixed[0], wetR = mixed[1];
    if (fadeGain == 1.0) {
      left[i] = wetL;
      right[i] = wetR;
    } else {
      left[i] = (1.0 - fadeGain) * left[i] + fadeGain * wetL;
      right[i] = (1.0 - fadeGain) * right[i] + fadeGain * wetR;
    }
  };
  if (fadeGain == 1.0) {
    typeMix.Run(typeTarget, n, mix);
    return;
  }
  for (int i = 0; i < n; ++i) {
    mix(i, typeMix.Step(typeTarget));
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
