#include "skarvel/IKwModeSwitch.h"

#include <cmath>

#include "plug/IPlugBase.h"

IKwModeSwitch::IKwModeSwitch(IPlugBase* plug, int x, int y, int param, const SkinBitmap& b, int s,
                             const double* cur, bool w, int dir)
    : IBitmapControl(plug, x, y, -1, b), steppedParam(param), states(s), current(cur), wrap(w), direction(dir)
{}

double IKwModeSwitch::Step(double p) const
{
  if (states < 2) return p;
  if (!(p >= 0.0)) p = 0.0;
  if (p > 1.0) p = 1.0;
  const int last = states - 1;
  const int k = static_cast<int>(std::floor(last * p + 0.5));
  if (direction == kUp) {
    if (k + 1 != states) return static_cast<double>(k + 1) / last;
    return wrap ? 0.0 : p;
  }
  if (k != 0) return static_cast<double>(k - 1) / last;
  return wrap ? 1.0 : p;
}

void IKwModeSwitch::MouseDown(int, int, const MouseModifiers&)
{
  const double p = current ? Step(*current) : 0.0;
  value = 1.0;
  MarkDirty(true);
  if (plug && current) plug->SetParameterFromEditor(steppedParam, p);
}

void IKwModeSwitch::MouseUp(int, int, const MouseModifiers&)
{
  value = 0.0;
  MarkDirty(true);
}

void IKwModeSwitch::MouseDoubleClick(int x, int y, const MouseModifiers& mod) { MouseDown(x, y, mod); }
