// Built with AVX2 enabled (and without FMA): see dsp/CMakeLists.txt. Only called where the
// processor has AVX2.
#include "dsp/BlockMathKernels.h"
#include "dsp/BlockMathPaths.h"

namespace Kernwave {
namespace BlockMath {

namespace {
using namespace BlockMathKernels;
typedef double Lanes4 __attribute__((vector_size(32)));
}  // namespace

const Kernels kAvx2Kernels = {RunBlock<Lanes4, Sin<Lanes4>>, RunBlock<Lanes4, Atan<Lanes4>>};

}  // namespace BlockMath
}  // namespace Kernwave
