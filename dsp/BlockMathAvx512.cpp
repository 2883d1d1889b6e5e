// Built with AVX-512 (F and DQ) enabled and without FMA: see dsp/CMakeLists.txt. Only called
// where the processor and system have it.
#include "dsp/BlockMathKernels.h"
#include "dsp/BlockMathPaths.h"

namespace Kernwave {
namespace BlockMath {

namespace {
using namespace BlockMathKernels;
typedef double Lanes8 __attribute__((vector_size(64)));
}  // namespace

const Kernels kAvx512Kernels = {RunBlock<Lanes8, Sin<Lanes8>>, RunBlock<Lanes8, Atan<Lanes8>>};

}  // namespace BlockMath
}  // namespace Kernwave
