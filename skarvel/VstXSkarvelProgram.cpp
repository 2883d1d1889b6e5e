#include "skarvel/VstXSkarvelProgram.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "dsp/FilterUnit.h"
#include "skarvel/OversamplingSetting.h"

namespace {

// In mirror order.
constexpr double kStartValues[kNumMirrors] = {
  1.0, 0.5, 0.0, 0.0,  1.0, 0.0,       // input stage, quantize, rate, gate
  1.0, 0.0, 0.0, 0.0,  0.0, 1.0,       // filter
  0.0, 0.0, 0.0, 0.0,  1.0,            // distortion
  0.0, 0.5, 0.0, 0.25, 0.5, 1.0,       // modulation
  0.0, 0.5, 0.5, 0.5,  0.5, 0.0, 0.25  // bypass, EQ, dump/expand, output
};

const char* OrEmpty(const char* text) { return text ? text : ""; }

// Mode values are stored as a single-precision third of the mode index.
double ModeValue(int index) { return static_cast<float>(static_cast<float>(index) / 3.0f); }

bool ValidIndex(int paramIdx) { return paramIdx >= 0 && paramIdx < kNumParams; }

constexpr const char* kOversamplingKey = "Oversampling";
// The line after the name and the parameters.
constexpr int kOversamplingPosition = kNumParams + 1;

}  // namespace

VstXSkarvelProgram::VstXSkarvelProgram() { SetValues(kStartValues); }

VstXSkarvelProgram::~VstXSkarvelProgram() = default;

double VstXSkarvelProgram::Get(int paramIdx) const
{
  return ValidIndex(paramIdx) ? values[kSkarvelParams[paramIdx].mirror] : 0.0;
}

void VstXSkarvelProgram::Set(int paramIdx, double value)
{
  if (!ValidIndex(paramIdx) || std::isnan(value)) return;
  if (value > 1.0) value = 1.0;
  if (value < 0.0) value = 0.0;
  values[kSkarvelParams[paramIdx].mirror] = value;
}

void VstXSkarvelProgram::SetValues(const double* mirrorOrder)
{
  std::memcpy(values, mirrorOrder, sizeof(values));
}

bool VstXSkarvelProgram::Write(const char* path, const Kernwave::Distortion& typeNames) const
{
  std::FILE* f = path ? std::fopen(path, "w") : nullptr;
  if (!f) return false;
  std::fprintf(f, "Name = %s;\n", name.c_str());
  for (int i = 0; i < kNumParams; ++i) {
    const char* key = kSkarvelParams[i].key;
    const double v = Get(i);
    if (i == kDistortionType)
      std::fprintf(f, "%s = %s;\n", key, OrEmpty(typeNames.ShapeTypeName(v)));
    else if (i == kFilterMode1)
      std::fprintf(f, "%s = %s;\n", key, OrEmpty(Kernwave::FilterUnit::RbjModeName(v)));
    else if (i == kFilterMode2)
      std::fprintf(f, "%s = %s;\n", key, OrEmpty(Kernwave::FilterUnit::ChebyModeName(v)));
    else
      std::fprintf(f, "%s = %g;\n", key, v);
  }
  if (oversampling != OversamplingSetting::kOff)
    std::fprintf(f, "%s = %s;\n", kOversamplingKey, OversamplingSetting::Name(oversampling));
  const bool written = !std::ferror(f);
  return std::fclose(f) == 0 && written;
}

bool VstXSkarvelProgram::Read(const char* path)
{
  std::FILE* f = path ? std::fopen(path, "r") : nullptr;
  if (!f) return false;
  VstXSkarvelProgram parsed(*this);
  // Lines past the name, the 30 parameters and the oversampling are never looked at.
  parsed.oversampling = OversamplingSetting::kOff;
  char line[kReadBuffer];
  for (int position = 0; position <= kOversamplingPosition && std::fgets(line, sizeof(line), f); ++position)
    parsed.ReadLine(position, line);
  const bool ok = !std::ferror(f);
  std::fclose(f);
  if (ok) *this = parsed;
  return ok;
}

// Lines are matched by position: the first holds the name, the next 30 the parameters in
// index order, the one after them the oversampling. A line without its expected key, or
// without " = value;", is skipped.
void VstXSkarvelProgram::ReadLine(int position, const char* line)
{
  const int paramIdx = position - 1;
  const char* expected = position == 0                       ? "Name"
                         : position == kOversamplingPosition ? kOversamplingKey
                                                             : kSkarvelParams[paramIdx].key;
  if (!std::strstr(line, expected)) return;
  const char* equals = std::strchr(line, '=');
  const char* semicolon = std::strchr(line, ';');
  if (!equals || !semicolon || semicolon - equals <= 2) return;
  const std::string text(equals + 2, semicolon);

  switch (paramIdx) {
    case -1: name = text.substr(0, kNameCut); break;
    case kNumParams: oversampling = OversamplingSetting::FactorFromName(text.c_str()); break;
    case kDistortionType: Set(paramIdx, Kernwave::Distortion::ShapeTypeFromName(text.c_str()) / 28.0); break;
    case kFilterMode1: Set(paramIdx, ModeValue(Kernwave::FilterUnit::RbjModeFromName(text.c_str()))); break;
    case kFilterMode2: Set(paramIdx, ModeValue(Kernwave::FilterUnit::ChebyModeFromName(text.c_str()))); break;
    default: Set(paramIdx, std::strtod(text.c_str(), nullptr)); break;
  }
}
