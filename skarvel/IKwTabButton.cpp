#include "skarvel/IKwTabButton.h"

#include "skarvel/Skarvel.h"

IKwTabButton::IKwTabButton(Skarvel* effect, int x, int y, const SkinBitmap& b, int p)
    : IBitmapControl(effect, x, y, -1, b), fx(effect), page(p)
{}

void IKwTabButton::MouseDown(int, int, const MouseModifiers&)
{
  value = 1.0;
  if (fx) fx->ShowEffectPage(page == kEffectPage);
  MarkDirty(true);
}

void IKwTabButton::MouseDoubleClick(int x, int y, const MouseModifiers& mod) { MouseDown(x, y, mod); }
