#include "skarvel/Skarvel.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "dsp/BlockMath.h"
#include "dsp/MinMax.h"
#include "dsp/filters/DesignMath.h"
#include "gui/EditorSurface.h"
#include "gui/IGraphics.h"
#include "plug/EffectIdentity.h"
#include "skarvel/IKwCurve.h"
#include "skarvel/IKwTabButton.h"
#include "gui/ITextControl.h"
#include "skarvel/OversamplingSetting.h"

namespace {

// Written as selections rather than branches so that the block loops vectorise: x - x is 0
// for every finite x and NaN for infinities and NaN.
double FiniteOrZero(double x) { return x - x == 0.0 ? x : 0.0; }

// The output's limit, 25 (about +28 dB) above full scale: the headroom the effect leaves the
// host before it clips. An empirical value of the sound.
constexpr double kOutputLimit = 25.0;

// The DC offset glides slower than the other parameters. An empirical value of the sound.
constexpr double kDcOffsetSmoothingKeep = 0.99987654321;
static_assert(1.0 - kDcOffsetSmoothingKeep == 0.00012345679000003162, "its take weight, rounded");

// The output clamp; a value that escaped every stage (NaN) never reaches the host.
double Clamped(double x)
{
  const double clamped = Kernwave::Clamp(x, -kOutputLimit, kOutputLimit);
  return clamped == clamped ? clamped : 0.0;
}

// Clamps a channel's block and returns the largest of peak and the clamped magnitudes. Two
// frames at a time, each lane keeping the peak of every other frame: the magnitudes are never
// NaN nor -0, so the largest of them does not depend on the order they are taken in.
double ClampedPeak(double* x, int n, double peak)
{
  using Dsp::StereoPair;
  using Mask = decltype(StereoPair{} < StereoPair{});
  StereoPair peaks = {peak, peak};
  int i = 0;
  for (; i + 2 <= n; i += 2) {
    StereoPair v;
    std::memcpy(&v, x + i, sizeof v);
    const StereoPair clamped = Kernwave::Clamp(v, -kOutputLimit, kOutputLimit);
    v = (StereoPair)((Mask)clamped & (clamped == clamped));
    std::memcpy(x + i, &v, sizeof v);
    const StereoPair magnitude = (StereoPair)((Mask)v & INT64_MAX);
    peaks = magnitude > peaks ? magnitude : peaks;
  }
  peak = Kernwave::MaxOf(peaks[1], peaks[0]);
  if (i < n) {
    x[i] = Clamped(x[i]);
    peak = Kernwave::MaxOf(std::fabs(x[i]), peak);
  }
  return peak;
}

}  // namespace

Skarvel::Skarvel(IPlug::HostHandle host)
    : IPlug(host, kNumParams, "1-1 2-2", kNumPresets, kEffectIdentity.name, "", kEffectIdentity.vendor,
            kVersion, kUniqueId, kMfrId, false)
{
  for (double& m : mirrors) m = 0.0;
  for (Kernwave::OnePoleSmoother* s : {&dcOffsetSmoother, &inputVolumeSmoother, &inputSaturationSmoother,
                                       &outputSaturationSmoother, &outputVolumeSmoother})
    s->state = 0.0;

  DefineParameters();
  for (const SkarvelParamInfo& p : kSkarvelParams) mirrors[p.mirror] = p.mirrorStart;
  InitSmoothingWeights();

  BuildEditor();
  CreateFactoryPresets();
  FillEmptyPresets(kNumPresets, "-");
}

Skarvel::~Skarvel()
{
  editor = nullptr;  // the base must not reach the surface once it is gone
}

void Skarvel::DefineParameters()
{
  for (int i = 0; i < kNumParams; ++i) {
    const SkarvelParamInfo& p = kSkarvelParams[i];
    IPlugParam* param = GetParam(i);
    param->DefineDouble(p.name, p.defaultValue, 0.0, 1.0, p.step, p.label);
    param->SetShape(1.0);
  }
}

void Skarvel::InitSmoothingWeights()
{
  dcOffsetSmoother.SetKeep(kDcOffsetSmoothingKeep);
  for (Kernwave::OnePoleSmoother* s :
       {&inputVolumeSmoother, &inputSaturationSmoother, &outputSaturationSmoother, &outputVolumeSmoother})
    s->SetKeep(Kernwave::kSmoothingKeep);
}

int Skarvel::ParamIndexFromKey(const char* key)
{
  if (!key) return -1;
  for (int i = 0; i < kNumParams; ++i)
    if (std::strcmp(kSkarvelParams[i].key, key) == 0) return i;
  return -1;
}

void Skarvel::ParameterChanged(int paramIdx)
{
  LockGuard g(lock);
  ApplyParameter(paramIdx);
}

void Skarvel::ApplyParameter(int paramIdx)
{
  if (!ValidParam(paramIdx)) return;
  const double v = GetParam(paramIdx)->value;
  mirrors[kSkarvelParams[paramIdx].mirror] = v;

  switch (paramIdx) {
    case kQuantization: distortion.SetQuantize(v); break;
    case kSampleRate: distortion.SetRateReduction(v); break;
    case kGate: distortion.SetGateLevel(v); break;
    case kDistortion: distortion.SetDrive(v); break;
    case kDistortionType: distortion.SetShapeType(v); break;
    case kDistortionLoudness: distortion.SetLoudness(v != 0.0); break;
    case kDistortionInterpMode: distortion.SetInterpolation(v); break;
    case kDistortionOnOff: distortion.SetBypassed(v == 0.0); break;
    case kFilterType: filterUnit.SetTypeTarget(v); break;
    case kFilterCutoff: filterUnit.SetCutoff(v); break;
    case kFilterResonance: filterUnit.SetResonance(v); break;
    case kFilterMode1: filterUnit.SetRbjSelect(v); break;
    case kFilterMode2: filterUnit.SetChebySelect(v); break;
    case kFilterOnOff: filterUnit.SetBypassed(v == 0.0); break;
    case kRingModulationAmount: ringModulator.SetAmount(v); break;
    case kRingModulationFrequency: ringModulator.SetFrequency(v); break;
    case kPhaserDepth: phaser.SetDepth(v); break;
    case kPhaserFeedback: phaser.SetFeedback(v); break;
    case kPhaserRate: phaser.SetRate(v); break;
    case kModulationOnOff:
      ringModulator.SetBypassed(v == 0.0);
      phaser.SetBypassed(v == 0.0);
      break;
    case kBassAmount: equalizer.SetBassAmount(v); break;
    case kMidAmount: equalizer.SetMidAmount(v); break;
    case kHighAmount: equalizer.SetHighAmount(v); break;
    case kDumpExpand: dumpExpand.SetValue(v); break;
    default: break;  // input/output stage and bypass: the chain reads the mirror
  }
  if (!deferEditorUpdates) UpdateEditorReadout(paramIdx);
}

void Skarvel::ParamValueText(int paramIdx, double plain, char* text, int size)
{
  SkarvelParamValueText(paramIdx, plain, sampleRate, text, size);
}

bool Skarvel::ParamValueFromText(int paramIdx, const char* text, double& plain)
{
  return SkarvelParamValueFromText(paramIdx, text, sampleRate, plain);
}

void Skarvel::RefreshEditorForParameter(int paramIdx)
{
  if (ValidParam(paramIdx)) UpdateEditorReadout(paramIdx);
}

// --- Editor ----------------------------------------------------------------------------

void Skarvel::BuildEditor()
{
  using namespace PanelLayout;
  graphics.reset(MakeEditorSurface(this, kWidth, kHeight, kFramesPerSecond));
  editorControls = BuildSkarvelLayout(this, graphics.get(), textStyles, waveformCurve, transferCurve,
                                      Kernwave::Distortion::kCurvePoints);
  RefreshCurves();
  ShowSampleRate();
  ShowOversampling();
  AttachEditor(graphics.get());
}

void Skarvel::ShowText(PanelLayout::Role role, const char* text)
{
  if (ITextControl* t = editorControls.Text(role)) t->SetTextFromPlug(text);
}

void Skarvel::ShowSampleRate()
{
  char text[64];
  std::snprintf(text, sizeof text, "Host smp. rate: %6.1fHz", sampleRate);
  ShowText(PanelLayout::Role::SampleRateText, text);
}

// The curves are rendered at the next repaint: a bank of programs loaded at once changes the
// distortion 168 times, and only the last shape is ever seen.
void Skarvel::RefreshCurves()
{
  if (!editorControls.colouredCurve || !editorControls.whiteCurve) return;
  curvesStale = true;
  editorControls.colouredCurve->MarkDirty(false);
  editorControls.whiteCurve->MarkDirty(false);
}

void Skarvel::FlushEditorUpdates()
{
  IPlug::FlushEditorUpdates();
  LockGuard g(lock);
  if (!curvesStale) return;
  distortion.RenderCurves(waveformCurve, transferCurve);
  curvesStale = false;
}

void Skarvel::ShowEffectPage(bool show)
{
  if (!graphics) return;
  effectPageShown = show;
  for (int i : editorControls.effectPage)
    if (IControl* c = graphics->GetControl(i)) c->SetHidden(!show);
  for (int i : editorControls.aboutPage)
    if (IControl* c = graphics->GetControl(i)) c->SetHidden(show);
  if (IKwTabButton* other = show ? editorControls.aboutTab : editorControls.effectTab) {
    other->SetValue(0.0);
    other->MarkDirty(true);
  }
}

void Skarvel::UpdateEditorReadout(int paramIdx)
{
  using PanelLayout::Role;
  if (!editor) return;
  const double v = mirrors[kSkarvelParams[paramIdx].mirror];
  char text[128];
  switch (paramIdx) {
    case kInputVolume:
    case kVolume:
      if (v <= 0.0)
        std::snprintf(text, sizeof text, "-oo dB");
      else
        std::snprintf(text, sizeof text, "%3.1f dB", static_cast<float>(20.0 * std::log10(v)));
      ShowText(paramIdx == kVolume ? Role::OutputVolumeText : Role::InputVolumeText, text);
      break;
    case kDistortion:
    case kDistortionType:
      if (editorControls.Text(Role::TypeNameText)) {
        std::snprintf(text, sizeof text, "%d: %s", distortion.ShapeType() + 1,
                      distortion.ShapeTypeName(mirrors[mDistortionType]));
        ShowText(Role::TypeNameText, text);
      }
      RefreshCurves();
      break;
    case kDistortionInterpMode:
      ShowText(Role::InterpNameText, distortion.InterpolationName());
      RefreshCurves();
      break;
    case kFilterCutoff:
      std::snprintf(text, sizeof text, "%dHz", static_cast<int>(filterUnit.CurrentCutoffHz()));
      ShowText(Role::CutoffText, text);
      break;
    case kFilterMode1: ShowText(Role::Mode1Text, Kernwave::FilterUnit::RbjModeName(v)); break;
    case kFilterMode2: ShowText(Role::Mode2Text, Kernwave::FilterUnit::ChebyModeName(v)); break;
    case kRingModulationFrequency:
      std::snprintf(text, sizeof text, "%.1fHz", v * ringModulator.MaxFrequency());
      ShowText(Role::RingFreqText, text);
      break;
    default: break;
  }
  editor->UpdateControlsFromPlug(paramIdx, GetParam(paramIdx)->value, false);
}

void Skarvel::ResetAudioState()
{
  LockGuard g(lock);
  ShowSampleRate();
  ringModulator.SetSampleRate(sampleRate);
  phaser.SetSampleRate(sampleRate);
  distortion.SetSampleRate(sampleRate);

  filterUnit.SetSampleRate(sampleRate);
  filterUnit.EnsureCapacity(blockSize);
  filterUnit.ClearFilters();

  equalizer.SetSampleRate(sampleRate);
  equalizer.EnsureCapacity(blockSize);
  equalizer.ClearFilters();

  dumpExpand.SetSampleRate(sampleRate);
  dumpExpand.EnsureCapacity(blockSize);
  dumpExpand.ClearFilters();

  if (oversampling > 1) SizeOversamplers();
  RunAtFactor(oversampling);
  factorFade.Reset();
}

// --- Oversampling --------------------------------------------------------------------------

// The two sections' round trips together are whole samples even where one alone is not.
int Skarvel::OversamplingLatency(int factor)
{
  return 2 * Kernwave::Oversampler::RoundTripDelay(factor) / factor;
}
static_assert(2 * Kernwave::Oversampler::RoundTripDelay(2) % 2 == 0 &&
                2 * Kernwave::Oversampler::RoundTripDelay(4) % 4 == 0,
              "the oversampled sections must delay by whole samples of the host's rate");

void Skarvel::SetOversampling(int factor)
{
  LockGuard g(lock);
  const int f = OversamplingSetting::FactorOfStep(OversamplingSetting::StepOfFactor(factor));
  if (f == oversampling) return;
  oversampling = f;
  if (f > 1) SizeOversamplers();
  SetLatency(OversamplingLatency(f));
  ShowOversampling();
}

void Skarvel::SerializeSettings(ByteChunk& chunk)
{
  OversamplingSetting::WriteStateBlock(chunk, oversampling);
}

void Skarvel::LoadSettings(const ByteChunk& chunk, int pos)
{
  SetOversampling(OversamplingSetting::ReadStateBlock(chunk, pos));
}

// The sections' buffers exist only once the setting has been on: sized for the block size
// when it is switched on, and again when the block size changes while it is on, both under
// the lock between blocks. A section that runs oversampled already has room for the block
// size, so this never allocates or clears under its feet.
void Skarvel::SizeOversamplers()
{
  if (inputStageOversampler.Capacity() == blockSize) return;
  inputStageOversampler.SetCapacity(blockSize);
  outputStageOversampler.SetCapacity(blockSize);
}

// The sections start from silence at the new rate, with their smoothing and fades stepping
// as fast per second as at the host's rate.
void Skarvel::RunAtFactor(int factor)
{
  runningFactor = factor;
  inputStageOversampler.Clear();
  outputStageOversampler.Clear();
  distortion.SetShapingFactor(factor);
  const double keep = Kernwave::Oversampler::KeepWeight(Kernwave::kSmoothingKeep, factor);
  for (Kernwave::OnePoleSmoother* s : {&inputSaturationSmoother, &outputSaturationSmoother}) s->SetKeep(keep);
}

namespace {

// The saturation curve's scale: how far the arctangent is driven into the limit at a gain of
// 1. An empirical value of the sound.
constexpr double kSaturationScale = 10.777;
// The gain per unit of the smoothed saturation amount. An empirical value of the sound.
constexpr double kSaturationGainPerAmount = 2.44;
// The least gain, 1 / kSaturationScale: the curve never falls below 4 arctan(x) / pi, twice
// the normalised arctangent, however small the amount.
constexpr double kLeastSaturationGain = 1.0 / kSaturationScale;
static_assert(kLeastSaturationGain == 0.09279020135473695, "1 / 10.777, rounded");

// The normalised arctangent with gain, hard-limited to +-1, of a left and a right value whose
// arctangents are a: the divisions of both channels in one instruction.
Dsp::StereoPair SaturationCurve(Dsp::StereoPair a, double gain)
{
  const Dsp::StereoPair y = a / std::atan(1.0) * gain * kSaturationScale;
  return Kernwave::Clamp(y, -1.0, 1.0);
}

double SaturationGain(double state)
{
  const double g = state * kSaturationGainPerAmount;
  return g > kLeastSaturationGain ? g : kLeastSaturationGain;
}

}  // namespace

void Skarvel::Saturate(double** outputs, int nFrames, double amount, Kernwave::OnePoleSmoother& smoother)
{
  if (!(amount > 0.0)) return;
  double* left = outputs[0];
  double* right = outputs[1];
  if (smoother.Settled(amount)) {
    // One gain for the whole block: the arctangents in one block, then the rest of the curve.
    if (smoother.state * kSaturationGainPerAmount == 0.0) return;
    const double gain = SaturationGain(smoother.state);
    Kernwave::BlockMath::Atan(left, left, nFrames);
    Kernwave::BlockMath::Atan(right, right, nFrames);
    for (int i = 0; i < nFrames; ++i) {
      const Dsp::StereoPair y = SaturationCurve(Dsp::StereoPair{left[i], right[i]}, gain);
      left[i] = y[0];
      right[i] = y[1];
    }
    return;
  }
  // A gain per frame: the arctangents a chunk at a time, ahead of the smoother.
  constexpr int kChunk = 64;
  double atanLeft[kChunk], atanRight[kChunk];
  for (int done = 0; done < nFrames; done += kChunk) {
    const int count = nFrames - done < kChunk ? nFrames - done : kChunk;
    Kernwave::BlockMath::Atan(left + done, atanLeft, count);
    Kernwave::BlockMath::Atan(right + done, atanRight, count);
    for (int i = 0; i < count; ++i) {
      const double state = smoother.Step(amount);
      if (state * kSaturationGainPerAmount == 0.0) continue;
      const double gain = SaturationGain(state);
      const Dsp::StereoPair y = SaturationCurve(Dsp::StereoPair{atanLeft[i], atanRight[i]}, gain);
      left[done + i] = y[0];
      right[done + i] = y[1];
    }
  }
}

void Skarvel::ProcessBlock(double** inputs, double** outputs, int nFrames)
{
  const int n = nFrames > 0 ? nFrames : 0;
  double* left = outputs[0];
  double* right = outputs[1];
  const double* inLeft = inputs[0];
  const double* inRight = inputs[1];

  // Input volume; a non-finite input sample enters the chain as silence.
  inputVolumeSmoother.Run(mirrors[mInputVolume], n, [&](int i, double gain) {
    left[i] = FiniteOrZero(inLeft[i]) * gain;
    right[i] = FiniteOrZero(inRight[i]) * gain;
  });

  // DC offset; exactly 0.5 skips the stage and holds the smoother.
  const double d = mirrors[mInputDCOffset];
  if (d != 0.5) {
    const double e = d > 0.5 ? (d - 0.5) * 2.0 : -(1.0 - d * 2.0);
    dcOffsetSmoother.Run(e, n, [&](int i, double offset) {
      left[i] += offset;
      right[i] += offset;
    });
  }

  inputStageOversampler.Process(runningFactor, left, right, n, [&](double* l, double* r, int m) {
    double* stage[2] = {l, r};
    Saturate(stage, m, mirrors[mInputSaturation], inputSaturationSmoother);
  });

  const bool bypass = mirrors[mBypassFX] >= 0.5;
  if (!bypass) {
    filterUnit.ProcessStereo(left, right, n);
    ringModulator.ProcessRingModulator(left, right, n);
    phaser.ProcessPhaser(left, right, n);
    distortion.ProcessRateReduction(left, right, n);
    distortion.ProcessBitCrush(left, right, n);
    const double gate = distortion.GateLevel();
    if (!distortion.IsBypassed() && gate != 0.0) {
      const double t = Dsp::DesignMath::Pow(gate, 4.0);
      for (double* ch : {left, right})
        for (int i = 0; i < n; ++i)
          if (t > std::fabs(ch[i])) ch[i] = 0.0;
    }
  }

  outputStageOversampler.Process(runningFactor, left, right, n, [&](double* l, double* r, int m) {
    if (!bypass) distortion.ProcessShaping(l, r, m);
    double* stage[2] = {l, r};
    Saturate(stage, m, mirrors[mSaturation], outputSaturationSmoother);
  });

  if (!bypass) {
    equalizer.ProcessStereo(left, right, n);
    dumpExpand.ProcessDumpExpand(left, right, n);
  }

  outputVolumeSmoother.Run(mirrors[mVolume], n, [&](int i, double gain) {
    left[i] *= gain;
    right[i] *= gain;
  });

  const bool changing = runningFactor != oversampling;
  factorFade.Apply(changing, left, right, n);
  if (changing && factorFade.Silent()) {
    // The new sections start from empty filters: silent until every tap holds signal.
    RunAtFactor(oversampling);
    factorFade.Hold(2 * OversamplingLatency(oversampling));
  }

  MeterBlock(outputs, n);
}

void Skarvel::MeterBlock(double** outputs, int nFrames)
{
  double pl = ClampedPeak(outputs[0], nFrames, peakLeft.load(std::memory_order_relaxed));
  double pr = ClampedPeak(outputs[1], nFrames, peakRight.load(std::memory_order_relaxed));
  if (peakResetRequested.load(std::memory_order_relaxed)) {
    pl = pr = 0.0;
    peakResetRequested.store(false, std::memory_order_relaxed);
  }
  peakLeft.store(pl, std::memory_order_relaxed);
  peakRight.store(pr, std::memory_order_relaxed);
}

void Skarvel::ShowOversampling()
{
  ShowText(PanelLayout::Role::OversamplingText, OversamplingSetting::Name(oversampling));
}

void Skarvel::PresetSelectionChanged()
{
  char text[128];
  std::snprintf(text, sizeof text, "%d: %s", GetCurrentPresetIdx() + 1, GetPresetName(GetCurrentPresetIdx()));
  ShowText(PanelLayout::Role::PresetNameText, text);
}
