#include "dsp/filters/LowPassTransform.h"

#include "dsp/filters/DesignMath.h"
#include "dsp/filters/MathConstants.h"

namespace Dsp {

LowPassTransform::LowPassTransform(double fc) : k(DesignMath::Tan(kPi * fc)) {}

}  // namespace Dsp
