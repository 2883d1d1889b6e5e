#include "dsp/BlockMathKernels.h"
#include "dsp/BlockMathPaths.h"

namespace Kernwave {
namespace BlockMath {

namespace {
using namespace BlockMathKernels;
typedef double Lanes2 __attribute__((vector_size(16)));
}  // namespace

const Kernels kSse2Kernels = {RunBlock<Lanes2, Sin<Lanes2>>, RunBlock<Lanes2, Atan<Lanes2>>};

}  // namespace BlockMath
}  // namespace Kernwave
