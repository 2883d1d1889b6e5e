#pragma once

#include <memory>
#include <vector>

#include "dsp/AudioProcessingUnit.h"
#include "dsp/OnePoleSmoother.h"
#include "dsp/filters/DirectFormII.h"
#include "dsp/filters/Filter.h"
#include "dsp/filters/PairedFilter.h"

namespace Kernwave {

class SharedNativeValue;

// The take weight of the filter type's crossfade, whose keep weight is kSmoothingKeep:
// 0.012345679 as written, a double a little below kSmoothingTake (0.012345679000000054). The
// sound depends on these bits: with kSmoothingTake the renders drift from the reference.
constexpr double kFilterTypeTake = 0.012345679;

// The multimode filter: an RBJ path and a Chebyshev path crossfaded by the filter type.
// Cutoff and resonance drive all eight filters; the modes pick one filter per path.
class FilterUnit : public AudioProcessingUnit
{
public:
  static constexpr int kModes = 4;
  static constexpr int kTransitionLength = 512;

  FilterUnit();
  ~FilterUnit() override;
  void SetSampleRate(double rate) override;

  void SetTypeTarget(double v) { typeTarget = v; }
  void SetCutoff(double v);
  void SetResonance(double v);
  void SetRbjSelect(double v) { rbjSelect = v; }
  void SetChebySelect(double v) { chebySelect = v; }

  int Capacity() const { return capacity; }
  // Grows the work buffers to hold maxBlockSize samples; they never shrink.
  void EnsureCapacity(int maxBlockSize);
  void ClearFilters();
  void ProcessStereo(double* left, double* right, int n);

  // The cutoff the knob asks for (not a gliding value).
  double CurrentCutoffHz() const;
  double TypeMix() const { return typeMix.state; }
  // Mode index 0..3 of the RBJ path (low-pass, high-pass, band-pass, band-stop) and of the
  // Chebyshev path (HP 12dB, HP 24dB, LP 12dB, LP 24dB).
  const Dsp::Filter& RbjFilter(int mode) const { return *rbjFilters[mode]; }
  const Dsp::Filter& ChebyFilter(int mode) const { return *chebyFilters[mode]; }

  // Index floor(3 v + 0.5) of a 0..1 selection, -1 outside 0..3.
  static int ModeIndex(double v);
  static const char* RbjModeName(double v);
  static const char* ChebyModeName(double v);
  static int RbjModeFromName(const char* text);
  static int ChebyModeFromName(const char* text);

private:
  // The RBJ designs are single biquads, the Chebyshev ones up to two.
  using RbjPair = Dsp::PairedFilter<Dsp::DirectFormII<1>>;
  using ChebyPair = Dsp::PairedFilter<Dsp::DirectFormII<2>>;

  void ResizeBuffers();
  void ProcessSlice(double* left, double* right, int n);
  // Crossfades the two paths by the type mix and fades the unit in or out: wet(i) gives
  // frame i's RBJ and Chebyshev output pairs, called once per frame in order.
  template <class Wet> void Mix(double* left, double* right, int n, Wet&& wet);
  // Sets one slot of a filter from a control value and assigns the parameters.
  void SetControl(Dsp::Filter& filter, int slot, SharedNativeValue& value);
  // ModeIndex with 0 for a selection outside 0..3.
  static int SelectedIndex(double v);
  Dsp::Filter& SelectedRbj() const;
  Dsp::Filter& SelectedCheby() const;

  int capacity = 128;
  double rbjSelect = 0.0;
  double chebySelect = 0.0;
  double typeTarget = 1.0;
  // The mix of the two paths, 0 all RBJ to 1 all Chebyshev, gliding to typeTarget.
  OnePoleSmoother typeMix = {kSmoothingKeep, kFilterTypeTake, 0.0};
  std::vector<double> rbjLeft, rbjRight, chebyLeft, chebyRight;
  std::unique_ptr<Dsp::Filter> rbjFilters[kModes];
  std::unique_ptr<Dsp::Filter> chebyFilters[kModes];
  // The same filters as stereo pairs.
  RbjPair* rbjPairs[kModes] = {};
  ChebyPair* chebyPairs[kModes] = {};
  Dsp::FilterParams scratch;
};

}  // namespace Kernwave
