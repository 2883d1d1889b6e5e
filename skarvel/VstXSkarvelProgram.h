#pragma once

#include <string>

#include "dsp/Distortion.h"
#include "skarvel/SkarvelParameters.h"

// One preset as a small text file: a name line, then one "Key = value;" line per parameter,
// then, unless it is off, an "Oversampling = 2x;" line with the instance's setting. The values
// are held in the effect's mirror order so they copy to and from it as one block.
class VstXSkarvelProgram
{
public:
  static constexpr int kNameCut = 24;
  // One read takes at most 2047 characters; a longer line counts as several lines.
  static constexpr int kReadBuffer = 2048;

  VstXSkarvelProgram();
  virtual ~VstXSkarvelProgram();

  // By parameter index; 0 outside 0..29.
  double Get(int paramIdx) const;
  // By parameter index, clamped to 0..1; an index outside 0..29 or a NaN is ignored.
  void Set(int paramIdx, double value);

  const double* Values() const { return values; }
  void SetValues(const double* mirrorOrder);
  const std::string& Name() const { return name; }
  void SetName(const char* text) { name = text ? text : ""; }
  // The oversampling factor (OversamplingSetting); off in a file without the line.
  int Oversampling() const { return oversampling; }
  void SetOversampling(int factor) { oversampling = factor; }

  // False when the file cannot be written. The type names come from the distortion unit.
  bool Write(const char* path, const Kernwave::Distortion& typeNames) const;
  // False when the file cannot be read; the program is then unchanged.
  bool Read(const char* path);

private:
  void ReadLine(int position, const char* line);

  double values[kNumMirrors];
  std::string name = "Basic Distortion";
  int oversampling = 1;
};
