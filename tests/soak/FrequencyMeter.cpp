#include "tests/soak/FrequencyMeter.h"

#include <cstddef>

double ToneFrequency(const std::vector<float>& samples, double sampleRate)
{
  double first = -1.0, last = -1.0;
  long crossings = 0;
  for (size_t i = 1; i < samples.size(); ++i) {
    const double a = samples[i - 1], b = samples[i];
    if (!(a < 0.0 && b >= 0.0)) continue;
    const double at = static_cast<double>(i - 1) + a / (a - b);
    if (crossings++ == 0) first = at;
    last = at;
  }
  return crossings < 2 ? 0.0 : (crossings - 1) * sampleRate / (last - first);
}
