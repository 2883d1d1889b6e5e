#pragma once

#include <atomic>
#include <memory>

#include "dsp/Distortion.h"
#include "dsp/DumpExpand.h"
#include "dsp/Equalizer.h"
#include "dsp/FilterUnit.h"
#include "dsp/OnePoleSmoother.h"
#include "dsp/Oversampler.h"
#include "dsp/Phaser.h"
#include "dsp/RingModulator.h"
#include "skarvel/SkarvelLayout.h"
#include "plug/IPlug.h"
#include "skarvel/SkarvelParameters.h"
#include "skarvel/SwitchFade.h"
#include "skarvel/VersionInfo.h"

class Skarvel : public IPlug
{
public:
  static constexpr int kNumPresets = 56;
  static constexpr int kVersion = 0x00010303;
  static constexpr int kUniqueId = 0x76673263;
  static constexpr int kMfrId = 0x4B726E77;  // 'Krnw'

  explicit Skarvel(IPlug::HostHandle host);
  ~Skarvel() override;

  void ResetAudioState() override;
  void ParameterChanged(int paramIdx) override;
  void ProcessBlock(double** inputs, double** outputs, int nFrames) override;
  void PresetSelectionChanged() override;
  void RefreshEditorForParameter(int paramIdx) override;
  void FlushEditorUpdates() override;
  void ParamValueText(int paramIdx, double plain, char* text, int size) override;
  bool ParamValueFromText(int paramIdx, const char* text, double& plain) override;

  double Mirror(int m) const { return mirrors[m]; }
  double PeakLeft() const { return peakLeft.load(std::memory_order_relaxed); }
  double PeakRight() const { return peakRight.load(std::memory_order_relaxed); }
  void RequestPeakReset() { peakResetRequested.store(true, std::memory_order_relaxed); }

  // The mirror of a parameter, as the editor's mode switches read it.
  const double* MirrorOfParam(int paramIdx) const
  {
    return ValidParam(paramIdx) ? &mirrors[kSkarvelParams[paramIdx].mirror] : nullptr;
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

  // The oversampling setting (see OversamplingSetting.h) as a factor; an unknown factor is
  // off. The host is told the new latency; a running stream changes over through a fade.
  // Offline rendering uses the setting as it is: a higher factor would need more latency
  // than the host was told.
  void SetOversampling(int factor);
  int GetOversampling() const { return oversampling; }
  // The frames the oversampled sections have room for: 0 until the setting is first on.
  int OversamplingCapacity() const { return inputStageOversampler.Capacity(); }
  // Samples of delay that a factor adds: both oversampled sections' round trips.
  static int OversamplingLatency(int factor);
  void SerializeSettings(ByteChunk& chunk) override;
  void LoadSettings(const ByteChunk& chunk, int pos) override;
  int BypassParamIdx() const override { return kBypassFX; }

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
  void Saturate(double** outputs, int nFrames, double amount, Kernwave::OnePoleSmoother& smoother);
  void RunAtFactor(int factor);
  void SizeOversamplers();
  void ShowOversampling();

  VersionInfo versionInfo;
  double mirrors[kNumMirrors];
  Kernwave::OnePoleSmoother dcOffsetSmoother;
  Kernwave::OnePoleSmoother inputVolumeSmoother;
  Kernwave::OnePoleSmoother inputSaturationSmoother;
  Kernwave::OnePoleSmoother outputSaturationSmoother;
  Kernwave::OnePoleSmoother outputVolumeSmoother;

  Kernwave::RingModulator ringModulator;
  Kernwave::Phaser phaser;
  Kernwave::Distortion distortion;
  Kernwave::Equalizer equalizer;
  Kernwave::FilterUnit filterUnit;
  Kernwave::DumpExpand dumpExpand;

  // The harmonics-creating stages run at the oversampling factor in two sections: the input
  // saturation, and the shaping with the output saturation. The filter, modulation and lo-fi
  // stages between them stay at the host's rate: the lo-fi stages' aliasing is their sound.
  int oversampling = 1;   // the setting
  int runningFactor = 1;  // what the audio runs at; follows the setting at a fade's silence
  Kernwave::Oversampler inputStageOversampler;
  Kernwave::Oversampler outputStageOversampler;
  SwitchFade factorFade;

  // Editor-side members. The surface is built once in the constructor and lives as long as
  // the effect; the control pointers below point into it.
  SkarvelTextStyles textStyles;
  std::unique_ptr<IGraphics> graphics;
  SkarvelEditorControls editorControls;
  bool curvesStale = false;  // the curve arrays wait for the next repaint
  double waveformCurve[Kernwave::Distortion::kCurvePoints] = {};
  double transferCurve[Kernwave::Distortion::kCurvePoints] = {};
  bool effectPageShown = true;

  std::atomic<double> peakLeft{0.0};
  std::atomic<double> peakRight{0.0};
  std::atomic<bool> peakResetRequested{false};
};
