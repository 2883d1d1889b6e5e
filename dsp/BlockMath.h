#pragma once

namespace Kernwave {

// Sine and arctangent of whole arrays, within an ulp of the exact values. The results are
// the same on every platform and with either instruction set, unlike the C libraries'.
namespace BlockMath {

enum class Path { Sse2, Avx2, Avx512 };

// out[i] = sin(in[i]) / atan(in[i]) for i < n; in and out may be the same array.
void Sin(const double* in, double* out, int n);
void Atan(const double* in, double* out, int n);

// The instruction set in use: the widest of AVX-512 (F and DQ), AVX2 and SSE2 that the
// processor and system have, unless the environment variable SKARVEL_SIMD names a narrower
// one ("sse2" or "avx2") at the first use. Every path gives the same bits.
Path ActivePath();
// Switches to path; false (and no switch) when the processor cannot run it.
bool UsePath(Path path);

}  // namespace BlockMath
}  // namespace Kernwave
