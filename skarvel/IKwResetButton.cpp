#include "skarvel/IKwResetButton.h"

#include "skarvel/Skarvel.h"

IKwResetButton::IKwResetButton(Skarvel* effect, int x, int y, const SkinBitmap& b)
    : IBitmapControl(effect, x, y, -1, b), fx(effect)
{}

void IKwResetButton::MouseDown(int, int, const MouseModifiers&)
{
  value = 1.0;
  MarkDirty(true);
  if (fx) fx->RequestPeakReset();
}

void IKwResetButton::MouseUp(int, int, const MouseModifiers&)
{
  value = 0.0;
  MarkDirty(true);
}

void IKwResetButton::MouseDoubleClick(int x, int y, const MouseModifiers& mod) { MouseDown(x, y, mod); }
