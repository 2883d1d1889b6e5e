#pragma once

#include <atomic>
#include <memory>

#include "dsp/Distortion.h"
#include "dsp/DumpExpand.h"
#include "dsp/Equalizer.h"
#include "dsp/FilterUnit.h"
#include "dsp/Phaser.h"
#include "dsp/RingModulator.h"
#include "gui/SkarvelLayout.h"
#include "plug/IPlugVST.h"
#include "plug/OnePoleSmoother.h"
#include "plug/VersionInfo.h"

// Parameter indices, in table order.
enum SkarvelParam {
  kInputVolume = 0,
  kInputDCOffset,
  kInputSaturation,
  kQuantization,
  kSampleRate,
  kGate,
  kDistortion,
  kDistortionType,
  kDistortionLoudness,
  kDistortionInterpMode,
  kDistortionOnOff,
  kFilterType,
  kFilterCutoff,
  kFilterResonance,
  kFilterMode1,
  kFilterMode2,
  kFilterOnOff,
  kRingModulationAmount,
  kRingModulationFrequency,
  kPhaserDepth,
  kPhaserFeedback,
  kPhaserRate,
  kModulationOnOff,
  kBassAmount,
  kMidAmount,
  kHighAmount,
  kDumpExpand,
  kBypassFX,
  kSaturation,
  kVolume,
  kNumParams
};

// Parameter mirrors, in storage order (also the order of a preset file's values).
enum SkarvelMirror {
  mInputVolume = 0, mInputDCOffset, mInputSaturation, mQuantization, mSampleRate, mGate,
  mFilterType, mFilterCutoff, mFilterResonance, mFilterMode1, mFilterMode2, mFilterOnOff,
  mDistortion, mDistortionType, mDistortionLoudness, mDistortionInterpMode, mDistortionOnOff,
  mRingModulationAmount, mRingModulationFrequency, mPhaserDepth, mPhaserFeedback, mPhaserRate,
  mModulationOnOff, mBypassFX, mBassAmount, mMidAmount, mHighAmount, mDumpExpand, mSaturation,
  mVolume, kNumMirrors
};

struct SkarvelParamInfo
{
  const char* key;
  const char* name;
  double defaultValue;
  double step;
  const char* label;
  int mirror;
};

class Skarvel : public IPlugVST
{
public:
  static constexpr int kNumPresets = 56;
  static constexpr int kVersion = 0x00010303;
  static constexpr int kUniqueId = 0x76673263;
  static constexpr int kMfrId = 0x4B726E77;  // 'Krnw'

  static const SkarvelParamInfo kParams[kNumParams];

  explicit Skarvel(audioMasterCallback hostCallback);
  ~Skarvel() override;

  void ResetAudioState() override;
  void ParameterChanged(int paramIdx) override;
  void ProcessBlock(double** inputs, double** outputs, int nFrames) override;
  void PresetSelectionChanged() override;
  void RefreshEditorForParameter(int paramIdx) override;

  double Mirror(int m) const { return mirrors[m]; }
  double PeakLeft() const { return peakLeft.load(std::memory_order_relaxed); }
  double PeakRight() const { return peakRight.load(std::memory_order_relaxed); }
  void RequestPeakReset() { peakResetRequested.store(true, std::memory_order_relaxed); }

  // The mirror of a parameter, as the editor's mode switches read it.
  const double* MirrorOfParam(int paramIdx) const
  {
    return ValidParam(paramIdx) ? &mirrors[kParams[paramIdx].mirror] : nullptr;
  }

  // Editor: shows the effect page (true) or the about page, and selects the matching tab.
  void ShowEffectPage(bool show);
  bool EffectPageShown() const { return effectPageShown; }
  const SkarvelEditorControls& EditorControls() const { return editorControls; }

  Kernwave::Distortion& GetDistortion() { return distortion; }
  Kernwave::FilterUnit& GetFilterUnit() { return filterUnit; }
  Kernwave::RingModulator& GetRingModulator() { return ringModulator; }
  const VersionInfo& GetVersionInfo() const { return versionInfo; }

  // The current state as a preset text file; false when it cannot be written.
  bool SavePresetFile(const char* path);
  // A preset text file into the parameters and the current program; false, changing nothing,
  // when it cannot be read.
  bool LoadPresetFile(const char* path);

  // Index of the parameter with this key, or -1.
  static int ParamIndexFromKey(const char* key);

private:
  void DefineParameters();
  void InitSmoothingWeights();
  void CreateFactoryPresets();
  void ApplyParameter(int paramIdx);
  void UpdateEditorReadout(int paramIdx);
  void BuildEditor();
  void ShowSampleRate();
  void RefreshCurves();
  void ShowText(PanelLayout::Role role, const char* text);
  void MeterBlock(double** outputs, int nFrames);
  void Saturate(double** outputs, int nFrames, double amount, OnePoleSmoother& smoother);

  VersionInfo versionInfo;
  double mirrors[kNumMirrors];
  OnePoleSmoother dcOffsetSmoother;
  OnePoleSmoother inputVolumeSmoother;
  OnePoleSmoother inputSaturationSmoother;
  OnePoleSmoother outputSaturationSmoother;
  OnePoleSmoother outputVolumeSmoother;

  Kernwave::RingModulator ringModulator;
  Kernwave::Phaser phaser;
  Kernwave::Distortion distortion;
  Kernwave::Equalizer equalizer;
  Kernwave::FilterUnit filterUnit;
  Kernwave::DumpExpand dumpExpand;

  // Editor-side members. The surface is built once in the constructor and lives as long as
  // the effect; the control pointers below point into it.
  SkarvelTextStyles textStyles;
  std::unique_ptr<IGraphics> graphics;
  SkarvelEditorControls editorControls;
  double waveformCurve[Kernwave::Distortion::kCurvePoints] = {};
  double transferCurve[Kernwave::Distortion::kCurvePoints] = {};
  bool effectPageShown = true;

  std::atomic<double> peakLeft{0.0};
  std::atomic<double> peakRight{0.0};
  std::atomic<bool> peakResetRequested{false};
};
