#pragma once

#include <cstdint>
#include <vector>

#include "plug/vst2/aeffect.h"

class Skarvel;

// Hours of audio through one effect, created and driven the way a host does it: every unit on,
// a noise-like input, and before every block the cutoff and the ring modulator frequency moved
// through setParameter, sweeping up and down. Every sample must stay finite and inside the
// output clamp, and the peak meter must hold what the blocks since its last reset reached.
class Soak
{
public:
  static constexpr int kBlock = 256;
  static constexpr double kRate = 44100.0;

  Soak();
  ~Soak();
  Soak(const Soak&) = delete;
  Soak& operator=(const Soak&) = delete;

  // Runs `frames` more frames; false at the first fault, with its description in Fault().
  bool Run(int64_t frames);
  // The ring modulator on its own at 1000 Hz, fed a constant: the tone's measured frequency.
  double RingFrequency();

  int64_t Frames() const { return frames; }
  double OutputPeak() const { return outputPeak; }
  double OutputRms() const;
  double LargestMeterReading() const { return meterPeak; }
  const char* Fault() const { return fault; }

private:
  void Automate();
  void FillInput();
  bool CheckBlock();
  void Process(float* const* in, float* const* out);

  AEffect* effect;
  Skarvel* fx;
  std::vector<float> in[2], out[2];
  int64_t frames = 0;
  uint32_t noise = 12345;
  double outputPeak = 0.0;
  double sumOfSquares = 0.0;
  double meterPeak = 0.0;
  double peakSinceReset = 0.0;
  bool resetPending = false;
  const char* fault = "";
};
