#pragma once

#include "dsp/AudioProcessingUnit.h"

namespace Kernwave {

// The distortion unit: sample-rate reduction, bit-crush, and the table waveshaper.
class Distortion : public AudioProcessingUnit
{
public:
  static constexpr int kNumTypes = 29;
  static constexpr int kCurvePoints = 98;

  Distortion();
  ~Distortion() override;

  void SetQuantize(double v) { quantize = v; }
  void SetRateReduction(double v) { rateReduction = v; }
  void SetGateLevel(double v) { gateLevel = v; }
  double GateLevel() const { return gateLevel; }
  void SetDrive(double v) { drive = v; }
  void SetLoudness(bool on) { loudness = on; }
  void SetShapeType(double value);
  int ShapeType() const { return shapeType; }
  const char* ShapeTypeName(double value) const;
  static int ShapeTypeFromName(const char* text);
  void SetInterpolation(double value);
  const char* InterpolationName() const;

  void ProcessRateReduction(double* left, double* right, int n);
  void ProcessBitCrush(double* left, double* right, int n);
  void ProcessShaping(double* left, double* right, int n);
  void RenderCurves(double* waveform, double* transfer);

private:
  double quantize = 0.0;
  double rateReduction = 1.0;
  double gateLevel = 0.0;
  bool loudness = false;
  double drive = 0.0;
  int shapeType = 0;
  int interpolationMode = 0;
};

}  // namespace Kernwave
