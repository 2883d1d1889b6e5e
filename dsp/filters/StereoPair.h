#pragma once

namespace Dsp {

// A left and a right value in one SSE2 register (GCC's vector extension): arithmetic on a
// pair is each channel's own arithmetic, in the same order and with the same rounding.
typedef double StereoPair __attribute__((vector_size(16)));

}  // namespace Dsp
