#include "tools/skarvel/DemoSignal.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr double kPi = 3.141592653589793;

// Small deterministic noise source (xorshift), values in -1..1.
struct Noise
{
  uint32_t state = 0x2545F491u;
  double Next()
  {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state / 2147483648.0 - 1.0;
  }
};

// Karplus-Strong string: a noise burst circulating through an averaging delay line.
void Pluck(std::vector<float>& out, long start, double freq, double sr, double gain, Noise& noise)
{
  const int period = static_cast<int>(sr / freq + 0.5);
  if (period < 2) return;
  std::vector<double> line(static_cast<size_t>(period));
  for (double& s : line) s = noise.Next();
  const long length = static_cast<long>(sr * 0.45);
  for (long i = 0, k = 0; i < length && start + i < static_cast<long>(out.size()); ++i) {
    const size_t next = static_cast<size_t>((k + 1) % period);
    const double s = line[static_cast<size_t>(k)];
    line[static_cast<size_t>(k)] = 0.996 * 0.5 * (s + line[next]);
    k = static_cast<long>(next);
    out[static_cast<size_t>(start + i)] += static_cast<float>(gain * s);
  }
}

void Kick(std::vector<float>& out, long start, double sr)
{
  double phase = 0.0;
  for (long i = 0; i < static_cast<long>(sr * 0.35) && start + i < static_cast<long>(out.size()); ++i) {
    const double t = i / sr;
    phase += 2.0 * kPi * (45.0 + 110.0 * std::exp(-t * 30.0)) / sr;
    out[static_cast<size_t>(start + i)] += static_cast<float>(0.8 * std::exp(-t * 9.0) * std::sin(phase));
  }
}

void Snare(std::vector<float>& out, long start, double sr, Noise& noise)
{
  for (long i = 0; i < static_cast<long>(sr * 0.2) && start + i < static_cast<long>(out.size()); ++i) {
    const double t = i / sr;
    const double body = 0.3 * std::exp(-t * 25.0) * std::sin(2.0 * kPi * 190.0 * t);
    out[static_cast<size_t>(start + i)] +=
      static_cast<float>(body + 0.35 * std::exp(-t * 18.0) * noise.Next());
  }
}

void Hat(std::vector<float>& out, long start, double sr, Noise& noise)
{
  double last = 0.0;
  for (long i = 0; i < static_cast<long>(sr * 0.05) && start + i < static_cast<long>(out.size()); ++i) {
    const double n = noise.Next();
    const double high = n - last;  // first difference: a crude high-pass
    last = n;
    out[static_cast<size_t>(start + i)] += static_cast<float>(0.12 * std::exp(-i / sr * 70.0) * high);
  }
}

}  // namespace

AudioBuffer MakeDemoSignal(double sr)
{
  const double beat = 0.5;  // 120 BPM
  const int bars = 4;
  AudioBuffer b;
  b.sampleRate = sr;
  const long frames = static_cast<long>(sr * beat * 4 * bars) + static_cast<long>(sr * 0.5);
  std::vector<float> guitar(static_cast<size_t>(frames)), drums(static_cast<size_t>(frames)),
    hats(static_cast<size_t>(frames));
  Noise noise;

  // E minor pentatonic riff, eighth notes; 0 = rest.
  const double riff[16] = {82.41, 0, 82.41, 98.0,   110.0,  0,     123.47, 110.0,
                           82.41, 0, 82.41, 146.83, 123.47, 110.0, 98.0,   0};
  for (int bar = 0; bar < bars; ++bar)
    for (int step = 0; step < 8; ++step) {
      const long at = static_cast<long>(sr * beat * (bar * 4 + step * 0.5));
      const double f = riff[(bar % 2) * 8 + step];
      if (f > 0) Pluck(guitar, at, f, sr, 0.5, noise);
      Hat(hats, at, sr, noise);
      if (step % 4 == 0) Kick(drums, at, sr);
      if (step % 4 == 2) Snare(drums, at, sr, noise);
    }

  b.channels.assign(2, std::vector<float>(static_cast<size_t>(frames)));
  for (long i = 0; i < frames; ++i) {
    const size_t k = static_cast<size_t>(i);
    b.channels[0][k] = 0.55f * guitar[k] + 0.5f * drums[k] + 0.7f * hats[k];
    b.channels[1][k] = 0.45f * guitar[k] + 0.5f * drums[k] + 1.0f * hats[k];
  }
  return b;
}
