#include "dsp/filters/LowPassTransform.h"

#include "dsp/filters/ComplexQuotient.h"
#include "dsp/filters/DesignMath.h"
#include "dsp/filters/MathConstants.h"

namespace Dsp {

LowPassTransform::LowPassTransform(double fc) : k(DesignMath::Tan(kPi * fc)) {}

Complex LowPassTransform::Map(Complex c) const
{
  if (IsInfinity(c)) return -1.0;
  return Quotient(1.0 + c * k, 1.0 - c * k);
}

}  // namespace Dsp
