#include "dsp/filters/HighPassTransform.h"

#include "dsp/filters/DesignMath.h"

namespace Dsp {

HighPassTransform::HighPassTransform(double fc) : k(DesignMath::Cot(kPi * fc)) {}

}  // namespace Dsp
