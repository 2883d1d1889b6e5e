#include "dsp/filters/HighPassTransform.h"

#include "dsp/filters/ComplexQuotient.h"
#include "dsp/filters/DesignMath.h"

namespace Dsp {

HighPassTransform::HighPassTransform(double fc) : k(DesignMath::Cot(kPi * fc)) {}

Complex HighPassTransform::Map(Complex c) const
{
  if (IsInfinity(c)) return 1.0;
  return -Quotient(1.0 + c * k, 1.0 - c * k);
}

}  // namespace Dsp
