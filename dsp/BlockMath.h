#pragma once

namespace Kernwave {

// Sine and arctangent of whole arrays, within an ulp of the exact values. The results are
// the same on every platform and with either instruction set, unlike the C libraries'.
namespace BlockMath {

enum class Path { Sse2, Avx2 };

// out[i] = sin(in[i]) / atan(in[i]) for i < n; in and out may be the same array.
void Sin(const double* in, double* out, int n);
void Atan(const double* in, double* out, int n);

// The instruction set in use: AVX2 where the processor and system have it, unless the
// environment variable SKARVEL_SIMD is "sse2" at the first use.
Path ActivePath();
// Switches to path; false (and no switch) when the processor cannot run it.
bool UsePath(Path path);

}  // namespace BlockMath
}  // namespace Kernwave
