// `soak [--seconds N]`: N seconds of audio (default one hour) through the effect with the
// cutoff and the ring modulator frequency automated before every block; then the ring
// modulator measured against a fresh instance. Prints the figures; exits 1 on any fault.
#include <sys/resource.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tests/soak/Soak.h"

namespace {

double CpuSeconds()
{
  rusage u;
  getrusage(RUSAGE_SELF, &u);
  return u.ru_utime.tv_sec + u.ru_utime.tv_usec * 1e-6 + u.ru_stime.tv_sec + u.ru_stime.tv_usec * 1e-6;
}

long PeakMemoryKiB()
{
  rusage u;
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv)
{
  double seconds = 3600.0;
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "--seconds") == 0) seconds = std::atof(argv[i + 1]);
  const int64_t total = static_cast<int64_t>(seconds * Soak::kRate) / Soak::kBlock * Soak::kBlock;
  const int64_t report = static_cast<int64_t>(3600 * Soak::kRate) / Soak::kBlock * Soak::kBlock;

  Soak soak;
  const double cpuStart = CpuSeconds();
  const long memoryStart = PeakMemoryKiB();
  for (int64_t done = 0; done < total;) {
    const int64_t part = total - done < report ? total - done : report;
    if (!soak.Run(part)) {
      std::printf("soak: FAULT after %.1f s of audio: %s\n", soak.Frames() / Soak::kRate, soak.Fault());
      return 1;
    }
    done += part;
    std::printf("soak: %.2f h of audio, output peak %.4f, RMS %.4f, meter at most %.4f, %.1f s CPU\n",
                done / Soak::kRate / 3600.0, soak.OutputPeak(), soak.OutputRms(), soak.LargestMeterReading(),
                CpuSeconds() - cpuStart);
    std::fflush(stdout);
  }
  const double cpu = CpuSeconds() - cpuStart;

  const double ring = soak.RingFrequency();
  Soak fresh;
  const double reference = fresh.RingFrequency();
  std::printf("soak: %lld frames (%.1f s of audio) in %.1f s CPU, %.0fx realtime; peak memory %ld KiB"
              " (%ld KiB before)\n",
              static_cast<long long>(total), total / Soak::kRate, cpu, total / Soak::kRate / cpu,
              PeakMemoryKiB(), memoryStart);
  std::printf("soak: ring modulator at %.6f Hz after the soak, %.6f Hz fresh (set to 1000 Hz)\n", ring,
              reference);
  // Zero crossings of a clean sine give its frequency to far better than a millihertz; the
  // carrier's phase grows without bound, so this is where lost precision would show.
  if (std::fabs(ring - reference) > 1e-3 || std::fabs(reference - 1000.0) > 1e-3) {
    std::printf("soak: FAULT: the ring modulator drifted\n");
    return 1;
  }
  return 0;
}
