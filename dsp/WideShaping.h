#pragma once

namespace Kernwave {

// A table-driven distortion curve at a settled drive, two frames (four values) per step: each
// value x becomes y = gain * curve(x) limited to -1..1, then (1 - mix) x + mix y when fromDry.
// The curve is that of a ShapeTable whose Taps() and Size() these are, of 2^k points, in the
// linear, cubic or hermite mode (any other mode number but the nearest and cosine ones reads
// as cubic). The same bits as the table's own reader and the distortion's pair loop.
//
// Built for AVX2 (see dsp/CMakeLists.txt): only for processors that have it.
void ShapeWideAvx2(const double* taps, int points, int mode, double gain, bool fromDry, double mix,
                   double* left, double* right, int n);

}  // namespace Kernwave
