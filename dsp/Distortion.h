#pragma once

#include <cstdint>
#include <utility>

#include "dsp/AudioProcessingUnit.h"
#include "dsp/OnePoleSmoother.h"
#include "dsp/ShapeTable.h"
#include "dsp/ShapeTableBuilder.h"

namespace Kernwave {

// The distortion unit: sample-rate reduction, bit-crush, and the table waveshaper. The effect
// runs the sample gate between the bit-crush and the shaping on this unit's gate level.
class Distortion : public AudioProcessingUnit
{
public:
  static constexpr int kNumTypes = ShapeTableBuilder::kNumTypes;
  static constexpr int kCurvePoints = 98;

  Distortion();
  ~Distortion() override;

  void SetQuantize(double v) { quantize = v; }
  double Quantize() const { return quantize; }
  double QuantizeLevels() const { return quantizeLevels; }
  void SetRateReduction(double v) { rateReduction = v; }
  // Samples each taken sample of the rate reduction is held for at this setting and rate;
  // 0 (like a setting of 1) takes every sample.
  static int32_t HoldLength(double rateReduction, double sampleRate);
  void SetGateLevel(double v) { gateLevel = v; }
  double GateLevel() const { return gateLevel; }
  void SetDrive(double v) { drive = v; }
  // The shaping runs at factor times the unit's rate: its drive smoothing and on/off fade
  // step that much finer, so they take the same time.
  void SetShapingFactor(int factor);
  void SetBypassed(bool off) override;
  void SetLoudness(bool on) { loudness = on; }

  // Position of the free-running hold grid of the sample-rate reduction.
  int32_t SampleCounter() const { return sampleCounter; }
  void SetSampleCounter(int32_t count) { sampleCounter = count >= 0 ? count : 0; }

  void SetShapeType(double value);
  int ShapeType() const { return shapeType; }
  // Name of the type that the 0..1 value selects.
  const char* ShapeTypeName(double value) const;
  // Type number of a name or of one of its older names; 0 ("Linear") for anything else.
  static int ShapeTypeFromName(const char* text);
  void SetInterpolation(double value);
  int InterpolationMode() const { return interpolationMode; }
  const char* InterpolationName() const;
  // The table of a table-driven type; null for the closed-formula types.
  const ShapeTable* TableForType(int type) const;

  // The selected type's transfer curve, applied to each value independently.
  std::pair<double, double> Shape(double left, double right) const;

  void ProcessRateReduction(double* left, double* right, int n);
  void ProcessBitCrush(double* left, double* right, int n);
  void ProcessShaping(double* left, double* right, int n);
  // Fills kCurvePoints entries each: one shaped sine period and the transfer curve over
  // -1..1, both from the drive target (not the smoothed drive), without loudness or fade.
  void RenderCurves(double* waveform, double* transfer) const;

private:
  double ShapeValue(double x) const;
  // The table of the selected type; null for the closed-formula types.
  const ShapeTable* CurveTable() const;
  // The settled shaping of a table-driven type through the wide path where the processor has
  // one; false (nothing done) where it does not apply.
  bool ShapeWide(double* left, double* right, int n);
  // The loudness fold-back: 2 sin(x pi / 2).
  static void FoldBack(double* left, double* right, int n);
  template <class Fn> void VisitCurve(Fn&& fn) const;
  // The curve by value: a copy of its own, which the block loop keeps in registers.
  template <class Curve> void ShapeBlock(double* left, double* right, int n, Curve curve);

  double quantize = 0.0;
  double rateReduction = 1.0;
  int32_t sampleCounter = 0;
  double gateLevel = 0.0;
  bool loudness = false;
  double quantizeLevels = 0.0;
  double holdLeft = 0.0;
  double holdRight = 0.0;
  double drive = 0.0;
  int shapeType = 0;
  ShapeTable tables[ShapeTableBuilder::kNumTables];
  int interpolationMode = 0;
  int shapingFactor = 1;
  OnePoleSmoother driveSmoother = {kSmoothingKeep, kSmoothingTake, 0.0};
};

}  // namespace Kernwave
