#include "plug/IPlugParam.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

static void CopyText(char* dst, const char* src)
{
  std::snprintf(dst, IPlugParam::kTextLen, "%s", src ? src : "");
}

IPlugParam::IPlugParam()
    : kind(kNone), value(0.0), minimum(0.0), maximum(1.0), step(1.0), shape(1.0), defaultValue(0.0),
      displayPrecision(0), displayNegated(false)
{
  name[0] = label[0] = group[0] = '\0';
}

void IPlugParam::DefineDouble(const char* n, double def, double lo, double hi, double st, const char* lab)
{
  if (kind == kNone) kind = kDouble;
  CopyText(name, n);
  CopyText(label, lab);
  group[0] = '\0';
  minimum = lo;
  value = def;
  maximum = (lo + st > hi) ? lo + st : hi;
  step = st;
  defaultValue = def;
  displayPrecision = 0;
  for (double s = st; displayPrecision < 6 && s != std::floor(s); s *= 10.0) ++displayPrecision;
}

void IPlugParam::SetFromNormalized(double x)
{
  value = minimum + std::pow(x, shape) * (maximum - minimum);
  if (kind != kDouble) value = std::floor(value / step + 0.5) * step;
  if (value > maximum) value = maximum;
}

double IPlugParam::ToNormalized(double plain) const
{
  return std::pow((Clamp(plain) - minimum) / (maximum - minimum), 1.0 / shape);
}

const IPlugParam::DisplayText* IPlugParam::FindDisplayText(double plain) const
{
  // Truncation toward zero of an out-of-range double is undefined; such a value has no entry.
  if (!(std::fabs(plain) < 2147483647.0)) return nullptr;
  const int key = static_cast<int>(plain);
  for (const DisplayText& d : displayTexts)
    if (d.value == key) return &d;
  return nullptr;
}

void IPlugParam::GetDisplayForHost(double plain, char* dst) const
{
  const DisplayText* d = FindDisplayText(plain);
  if (d && d->text[0]) {
    CopyText(dst, d->text);
    return;
  }
  const double v = displayNegated ? -plain : plain;
  if (displayPrecision)
    std::snprintf(dst, kTextLen, "%.*f", displayPrecision, v);
  else
    std::snprintf(dst, kTextLen, "%d", std::fabs(v) < 2147483647.0 ? static_cast<int>(v) : 0);
}

const char* IPlugParam::GetLabelForHost() const
{
  const DisplayText* d = FindDisplayText(value);
  return (d && d->text[0]) ? "" : label;
}

bool IPlugParam::MapDisplayText(const char* text, double& plain) const
{
  if (!displayTexts.empty()) {
    for (const DisplayText& d : displayTexts)
      if (std::strcmp(d.text, text) == 0) {
        plain = d.value;
        return true;
      }
    return false;
  }
  plain = std::strtod(text, nullptr);  // not atof: msvcrt's reads no "nan" or "inf"
  if (displayNegated) plain = -plain;
  return true;
}

void IPlugParam::SetDisplayText(int v, const char* text)
{
  DisplayText d;
  d.value = v;
  CopyText(d.text, text);
  displayTexts.push_back(d);
}
