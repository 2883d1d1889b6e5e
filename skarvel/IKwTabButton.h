#pragma once

#include "gui/IBitmapControl.h"

class Skarvel;

// Shows its page (the effect page or the about page) and stays selected until the other tab
// is pressed.
class IKwTabButton : public IBitmapControl
{
public:
  enum Page { kEffectPage = 0, kAboutPage = 1 };

  IKwTabButton(Skarvel* fx, int x, int y, const SkinBitmap& bitmap, int page);

  void MouseDown(int x, int y, const MouseModifiers& mod) override;
  void MouseDoubleClick(int x, int y, const MouseModifiers& mod) override;

private:
  Skarvel* fx;
  int page;
};
