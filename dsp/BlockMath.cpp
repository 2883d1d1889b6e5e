#include "dsp/BlockMath.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

#include "dsp/BlockMathPaths.h"

namespace Kernwave {
namespace BlockMath {

namespace {

bool HasAvx2() { return __builtin_cpu_supports("avx2"); }

const Kernels* StartKernels()
{
  const char* forced = std::getenv("SKARVEL_SIMD");
  if (forced && std::strcmp(forced, "sse2") == 0) return &kSse2Kernels;
  return HasAvx2() ? &kAvx2Kernels : &kSse2Kernels;
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
  return Active().load(std::memory_order_relaxed) == &kAvx2Kernels ? Path::Avx2 : Path::Sse2;
}

bool UsePath(Path path)
{
  if (path == Path::Avx2 && !HasAvx2()) return false;
  Active().store(path == Path::Avx2 ? &kAvx2Kernels : &kSse2Kernels, std::memory_order_relaxed);
  return true;
}

}  // namespace BlockMath
}  // namespace Kernwave
