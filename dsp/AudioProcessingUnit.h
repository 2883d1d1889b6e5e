#pragma once

namespace Kernwave {

// Base of every processing stage: the sample-rate store and the click-free on/off fade.
class AudioProcessingUnit
{
public:
  AudioProcessingUnit() = default;
  virtual ~AudioProcessingUnit() = default;
  // Contracts: the effect calls these under its ParameterLock, on the host's main thread or
  // (host automation) its audio thread, never during a block; the block routines run on the
  // audio thread under the same lock.
  // [no block running]
  virtual void SetSampleRate(double rate) { sampleRate = rate; }
  // off = true switches the unit off. Each call restarts the 200-sample fade.
  virtual void SetBypassed(bool off);

  bool IsBypassed() const { return bypassed; }
  double FadeGain() const { return fadeGain; }
  double SampleRate() const { return sampleRate; }

protected:
  // True when the unit is off and fully faded: the block routine leaves the buffers alone.
  bool IsSilent() const { return fadeGain == 0.0 && bypassed; }
  // AdvanceFade would change fadeGain.
  bool IsFading() const { return fadeGain > 0.0 && fadeGain < 1.0; }
  // Processing in chunks of this many frames keeps per-frame scratch values on the stack.
  static constexpr int kChunk = 64;
  void AdvanceFade()
  {
    if (IsFading()) {
      fadeGain += fadeStep;
      if (fadeGain < 0.0) fadeGain = 0.0;
      if (fadeGain > 1.0) fadeGain = 1.0;
    }
  }
  // fn(i, fade gain) for frames 0..n-1, the fade advancing after each. While no fade runs
  // the gain is handed over as a constant, so the loop carries nothing from frame to frame.
  template <class Fn> void RunFaded(int n, Fn&& fn)
  {
    if (!IsFading()) {
      const double gain = fadeGain;
      for (int i = 0; i < n; ++i) fn(i, gain);
      return;
    }
    for (int i = 0; i < n; ++i) {
      fn(i, fadeGain);
      AdvanceFade();
    }
  }

  double sampleRate = 44100.0;
  bool bypassed = false;
  double fadeGain = 1.0;
  double fadeStep = 0.0;
};

}  // namespace Kernwave
