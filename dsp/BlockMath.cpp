#include "dsp/BlockMath.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "dsp/BlockMathPaths.h"

namespace Kernwave {
namespace BlockMath {

namespace {

bool Has(Path path)
{
  switch (path) {
    case Path::Avx512: return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512dq");
    case Path::Avx2: return __builtin_cpu_supports("avx2");
    default: return true;
  }
}

const Kernels* KernelsOf(Path path)
{
  switch (path) {
    case Path::Avx512: return &kAvx512Kernels;
    case Path::Avx2: return &kAvx2Kernels;
    default: return &kSse2Kernels;
  }
}

const Kernels* StartKernels()
{
  const char* forced = std::getenv("SKARVEL_SIMD");
  Path widest = Path::Avx512;
  if (forced && std::strcmp(forced, "sse2") == 0) widest = Path::Sse2;
  if (forced && std::strcmp(forced, "avx2") == 0) widest = Path::Avx2;
  for (Path path : {Path::Avx512, Path::Avx2})
    if (path <= widest && Has(path)) return KernelsOf(path);
  return &kSse2Kernels;
}

std::atomic<const Kernels*>& Active()
{
  static std::atomic<const Kernels*> active{StartKernels()};
  return active;
}

}  // namespace

void Sin(const double* in, double* out, int n) { Active().load(std::memory_order_relaxed)->sin(in, out, n); }

void Atan(const double* in, double* out, int n)
{
  Active().load(std::memory_order_relaxed)->atan(in, out, n);
}

Path ActivePath()
{
  const Kernels* active = Active().load(std::memory_order_relaxed);
  for (Path path : {Path::Avx512, Path::Avx2})
    if (active == KernelsOf(path)) return path;
  return Path::Sse2;
}

bool UsePath(Path path)
{
  if (!Has(path)) return false;
  Active().store(KernelsOf(path), std::memory_order_relaxed);
  return true;
}

}  // namespace BlockMath
}  // namespace Kernwave
