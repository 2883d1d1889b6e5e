#include "dsp/Distortion.h"

#include <cmath>

namespace Kernwave {

Distortion::Distortion() = default;
Distortion::~Distortion() = default;

void Distortion::SetShapeType(double value)
{
  const double v = value < 0.0 ? 0.0 : (value > 1.0 ? 1.0 : value);
  shapeType = static_cast<int>(std::floor(28.0 * v + 0.5));
}

const char* Distortion::ShapeTypeName(double) const { return "Linear"; }
int Distortion::ShapeTypeFromName(const char*) { return 0; }
void Distortion::SetInterpolation(double value) { interpolationMode = static_cast<int>(std::floor(4.0 * value + 0.5)); }
const char* Distortion::InterpolationName() const { return ""; }
void Distortion::ProcessRateReduction(double*, double*, int) {}
void Distortion::ProcessBitCrush(double*, double*, int) {}
void Distortion::ProcessShaping(double*, double*, int) {}

void Distortion::RenderCurves(double* waveform, double* transfer)
{
  for (int i = 0; i < kCurvePoints; ++i) waveform[i] = transfer[i] = 0.0;
}

}  // namespace Kernwave
