#include "gui/ISwitchControl.h"

ISwitchControl::ISwitchControl(IPlugBase* plug, int x, int y, int paramIdx, const SkinBitmap& b)
    : IBitmapControl(plug, x, y, paramIdx, b, BlendMode::kNone)
{}

void ISwitchControl::MouseDown(int, int, const MouseModifiers&)
{
  value += bitmap.N < 2 ? 1.0 : 1.0 / (bitmap.N - 1);
  // The margin absorbs the rounding of the steps before the last frame.
  if (value > 1.001) value = 0.0;
  MarkDirty(true);
}

void ISwitchControl::MouseDoubleClick(int x, int y, const MouseModifiers& mod) { MouseDown(x, y, mod); }
