#include "dsp/Distortion.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "dsp/BlockMath.h"
#include "dsp/MathConstants.h"
#include "dsp/MinMax.h"
#include "dsp/Oversampler.h"
#include "dsp/WideShaping.h"
#include "dsp/filters/DesignMath.h"

namespace Kernwave {

namespace {

const char* const kTypeNames[Distortion::kNumTypes] = {"Linear",
                                                       "Compressor",
                                                       "Hard-Overload",
                                                       "KWSigmoid1-Drive",
                                                       "KWSigmoid2-Drive",
                                                       "Rovurav-Fuzz",
                                                       "Zorvak-Fuzz",
                                                       "PRM-Fuzz 1",
                                                       "PRM-Fuzz 2",
                                                       "Soft-Tube-Distort",
                                                       "Tube-Distort",
                                                       "Transistor 1",
                                                       "Full-Clip",
                                                       "Fuzz-Drive1",
                                                       "Hardcore-Fuzz1",
                                                       "Hardcore-Fuzz2",
                                                       "Industrial-Fuzz1",
                                                       "Kernwave-Drive1",
                                                       "Kernwave-Drive2",
                                                       "NoizeFreak-Fuzz 1",
                                                       "NoizeFreak-Fuzz 2",
                                                       "Invert-and-Drive",
                                                       "Big-Bad-Drive",
                                                       "Big-Fat-Drive",
                                                       "ViciousViper",
                                                       "AssKicking",
                                                       "TigersBlood",
                                                       "MadDog",
                                                       "Noise-Gate 1"};

// Names that older presets used for types that have since been renamed or merged.
struct FormerName
{
  const char* name;
  int type;
};
const FormerName kFormerNames[] = {{"KWSigmoid3-Drive", 4}, {"Fuzz-Drive", 13},       {"Hardcore-Fuzz3", 14},
                                   {"Hardcore-Fuzz4", 15},  {"Kernwave-Drive", 17},   {"Kernwave-Drive3", 17},
                                   {"Kernwave-Drive4", 18}, {"NoizeFreak-Fuzz 3", 19}};

const char* const kInterpolationNames[] = {"no interp.", "linear", "cosine", "cubic", "hermite"};

// v (or each lane of it) limited to -1..1, NaN passing.
template <class T> T Limit(T v) { return Clamp(v, -1.0, 1.0); }

// Truncation towards zero through a 32-bit integer, saturating instead of overflowing;
// NaN gives 0.
int32_t TruncToInt32(double v)
{
  if (v >= -2147483648.0 && v < 2147483648.0) return static_cast<int32_t>(v);
  if (v > 0.0) return std::numeric_limits<int32_t>::max();
  if (v < 0.0) return std::numeric_limits<int32_t>::min();
  return 0;
}

// floor(k * value + 0.5) with value limited to 0..1: the index of a stepped selection.
int SteppedIndex(int k, double value)
{
  const double v = value >= 0.0 ? (value <= 1.0 ? value : 1.0) : 0.0;
  return static_cast<int>(std::floor(k * v + 0.5));
}

// The shaper's input gain grows by this much over the drive's range: 1 at no drive, 21 at
// full drive. An empirical value of the sound.
constexpr double kDriveGainRange = 20.0;
// The full clip's dead zone: inputs within +-0.01 give silence. An empirical value of the sound.
constexpr double kFullClipThreshold = 0.01;

// Below this drive the shaped signal is crossfaded in from the dry one, all of it shaped from
// here on. An empirical value of the sound.
constexpr double kCrossfadeDrive = 0.44;
// The crossfade's share of the shaped signal per unit of drive: 1 / 0.44.
constexpr double kCrossfadeSlope = 1.0 / kCrossfadeDrive;
static_assert(kCrossfadeSlope == 2.272727272727273, "1 / 0.44, rounded");

using Dsp::StereoPair;
using PairMask = decltype(StereoPair{} < StereoPair{});

StereoPair Magnitude(StereoPair v) { return (StereoPair)((PairMask)v & INT64_MAX); }

// The curves take a left and a right value at once; each lane is that value's curve.
struct IdentityCurve
{
  StereoPair operator()(StereoPair x) const { return x; }
};

// k x / ((k - 1) |x| + 1): slope k at zero, through +-1 at +-1, towards k / (k - 1) beyond.
// k = 1 / (1 - 0.99), the slope of a clipper of hardness 0.99 (an empirical value of the sound).
constexpr double kHardOverloadHardness = 0.99;
constexpr double kHardOverloadSlope = 1.0 / (1.0 - kHardOverloadHardness);
static_assert(kHardOverloadSlope == 99.99999999999991, "1 / (1 - 0.99), rounded");
static_assert(kHardOverloadSlope - 1.0 == 98.99999999999991, "exact: no rounding below 128");

struct HardOverloadCurve
{
  StereoPair operator()(StereoPair x) const
  {
    return kHardOverloadSlope * x / ((kHardOverloadSlope - 1.0) * Magnitude(x) + 1.0);
  }
};

struct FullClipCurve
{
  StereoPair operator()(StereoPair x) const
  {
    const StereoPair one = {1.0, 1.0};
    return x > kFullClipThreshold ? one : (x < -kFullClipThreshold ? -one : StereoPair{});
  }
};

struct InvertCurve
{
  StereoPair operator()(StereoPair x) const
  {
    return x > 0.0 ? 1.0 - x : (x < 0.0 ? -1.0 - x : StereoPair{});
  }
};

}  // namespace

Distortion::Distortion() { ShapeTableBuilder(tables).Build(); }

Distortion::~Distortion() = default;

void Distortion::SetShapeType(double value) { shapeType = SteppedIndex(kNumTypes - 1, value); }

const char* Distortion::ShapeTypeName(double value) const
{
  return kTypeNames[SteppedIndex(kNumTypes - 1, value)];
}

int Distortion::ShapeTypeFromName(const char* text)
{
  if (!text) return 0;
  for (int type = 0; type < kNumTypes; ++type)
    if (std::strcmp(kTypeNames[type], text) == 0) return type;
  for (const FormerName& former : kFormerNames)
    if (std::strcmp(former.name, text) == 0) return former.type;
  return 0;
}

void Distortion::SetInterpolation(double value)
{
  // Not limited to 0..1: a mode outside 0..4 reads as "unknown" and interpolates as cubic.
  interpolationMode = TruncToInt32(std::floor(4.0 * value + 0.5));
  for (ShapeTable& t : tables) t.mode = interpolationMode;
}

const char* Distortion::InterpolationName() const
{
  if (interpolationMode < 0 || interpolationMode > 4) return "unknown";
  return kInterpolationNames[interpolationMode];
}

const ShapeTable* Distortion::TableForType(int type) const
{
  const int slot = ShapeTableBuilder::SlotOfType(type);
  return slot < 0 ? nullptr : &tables[slot];
}

const ShapeTable* Distortion::CurveTable() const
{
  switch (shapeType) {
    case 2:
    case 12:
    case 21: return nullptr;
    default: return TableForType(shapeType);
  }
}

template <class Fn> void Distortion::VisitCurve(Fn&& fn) const
{
  switch (shapeType) {
    case 2: fn(HardOverloadCurve{}); return;
    case 12: fn(FullClipCurve{}); return;
    case 21: fn(InvertCurve{}); return;
    default: break;
  }
  const ShapeTable* table = CurveTable();
  if (table)
    table->VisitMode(fn);
  else
    fn(IdentityCurve{});
}

double Distortion::ShapeValue(double x) const
{
  double y = 0.0;
  VisitCurve([&](auto curve) { y = curve(StereoPair{x, x})[0]; });
  return y;
}

std::pair<double, double> Distortion::Shape(double left, double right) const
{
  return {ShapeValue(left), ShapeValue(right)};
}

void Distortion::SetShapingFactor(int factor)
{
  const int f = factor > 1 ? factor : 1;
  fadeStep *= static_cast<double>(shapingFactor) / f;
  shapingFactor = f;
  driveSmoother.SetKeep(Oversampler::KeepWeight(kSmoothingKeep, f));
}

void Distortion::SetBypassed(bool off)
{
  AudioProcessingUnit::SetBypassed(off);
  if (shapingFactor == 1) return;
  fadeStep /= shapingFactor;
  fadeGain = off ? 1.0 + fadeStep : fadeStep;
}

int32_t Distortion::HoldLength(double rateReduction, double sampleRate)
{
  const double ratio = sampleRate / 44100.0;
  return TruncToInt32((1.0 - rateReduction) * ratio * 64.0);
}

void Distortion::ProcessRateReduction(double* left, double* right, int n)
{
  if (bypassed) return;
  const int32_t hold = HoldLength(rateReduction, sampleRate);
  const bool everySample = hold == 0 || rateReduction == 1.0;
  int32_t counter = sampleCounter;
  // counter % hold, carried along with the counter.
  int32_t phase = hold > 0 ? counter % hold : 1;
  double heldLeft = holdLeft, heldRight = holdRight;
  for (int i = 0; i < n; ++i) {
    if (everySample || phase == 0) {
      heldLeft = left[i];
      heldRight = right[i];
    }
    left[i] = heldLeft;
    right[i] = heldRight;
    // Before the counter would overflow it steps back by a multiple of the hold length, so
    // the grid (and the phase) runs on without a jump.
    if (counter == std::numeric_limits<int32_t>::max())
      counter = hold > 0 ? counter % hold + 1 : 0;
    else
      ++counter;
    if (hold > 0) phase = phase + 1 == hold ? 0 : phase + 1;
  }
  sampleCounter = counter;
  holdLeft = heldLeft;
  holdRight = heldRight;
}

void Distortion::ProcessBitCrush(double* left, double* right, int n)
{
  if (bypassed || quantize == 1.0 || n <= 0) return;
  // The floor is written back: the stored setting keeps it until the next parameter change.
  if (quantize < 0.001) quantize = 0.001;
  double levels = Dsp::DesignMath::Pow(2.0, quantize * 15.0);
  if (!(levels >= 2.0)) levels = 2.0;
  quantizeLevels = levels;
  for (int i = 0; i < n; ++i) {
    left[i] = TruncToInt32(left[i] * levels) / levels;
    right[i] = TruncToInt32(right[i] * levels) / levels;
  }
}

template <class Curve> void Distortion::ShapeBlock(double* left, double* right, int n, Curve curve)
{
  const auto shape = [&](int i, double h) {
    const StereoPair x = {left[i], right[i]};
    StereoPair y = x;
    if (h != 0.0) {
      const double gain = kDriveGainRange * h + 1.0;
      y = Limit(gain * curve(x));
      if (h < kCrossfadeDrive) {
        // Below this drive the shaped signal is crossfaded in from the dry one.
        const double d = h * kCrossfadeSlope;
        y = (1.0 - d) * x + d * y;
      }
    }
    left[i] = y[0];
    right[i] = y[1];
  };
  OnePoleSmoother smoother = driveSmoother;
  if (smoother.Settled(drive) && !IsFading()) {
    // Settled drive and no fade running: every sample sees the same h.
    const double h = smoother.state * fadeGain;
    for (int i = 0; i < n; ++i) shape(i, h);
  } else {
    for (int i = 0; i < n; ++i) {
      shape(i, smoother.Step(drive) * fadeGain);
      AdvanceFade();
    }
    driveSmoother = smoother;
  }
}

bool Distortion::ShapeWide(double* left, double* right, int n)
{
  const ShapeTable* table = CurveTable();
  if (!table || !table->exactSteps || table->mode == ShapeTable::kNearest ||
      table->mode == ShapeTable::kCosine)
    return false;
  if (BlockMath::ActivePath() == BlockMath::Path::Sse2 || !driveSmoother.Settled(drive) || IsFading())
    return false;
  const double h = driveSmoother.state * fadeGain;
  if (h == 0.0) return true;  // the dry signal
  const double gain = kDriveGainRange * h + 1.0;
  ShapeWideAvx2(table->Taps(), table->Size(), table->mode, gain, h < kCrossfadeDrive, h * kCrossfadeSlope,
                left, right, n);
  return true;
}

// A pass of its own: the sines in one block.
void Distortion::FoldBack(double* left, double* right, int n)
{
  for (double* x : {left, right}) {
    for (int i = 0; i < n; ++i) x[i] = x[i] * kPi / 2.0;
    BlockMath::Sin(x, x, n);
    for (int i = 0; i < n; ++i) x[i] = 2.0 * x[i];
  }
}

void Distortion::ProcessShaping(double* left, double* right, int n)
{
  if (IsSilent() || drive == 0.0) return;
  if (!ShapeWide(left, right, n)) VisitCurve([&](auto curve) { ShapeBlock(left, right, n, curve); });
  if (loudness) FoldBack(left, right, n);
}

void Distortion::RenderCurves(double* waveform, double* transfer) const
{
  for (int i = 0; waveform && i < kCurvePoints; ++i) {
    const double c = std::sin(2.0 * kPi * i / 98.0);
    double y = c;
    if (drive != 0.0) {
      const double gain = kDriveGainRange * drive + 1.0;
      y = Limit(gain * ShapeValue(c));
      if (drive < kCrossfadeDrive) {
        const double d = kCrossfadeSlope * drive;
        y = d * y + (1.0 - d) * c;
      }
    }
    waveform[i] = Limit(y);
  }
  for (int j = 0; transfer && j < kCurvePoints; ++j) {
    const double x = (j / 98.0 - 0.5) * 2.0;
    transfer[j] = Limit(ShapeValue(x));
  }
}

}  // namespace Kernwave
