#pragma once

#include "gui/IBitmapControl.h"

class Skarvel;

// Steps the effect's oversampling setting (no parameter) to the next of off, 2x and 4x,
// back to off after 4x. The control's value only shows the button pressed.
class IKwOversamplingSwitch : public IBitmapControl
{
public:
  IKwOversamplingSwitch(Skarvel* fx, int x, int y, const SkinBitmap& bitmap);

  void MouseDown(int x, int y, const MouseModifiers& mod) override;
  void MouseUp(int x, int y, const MouseModifiers& mod) override;
  void MouseDoubleClick(int x, int y, const MouseModifiers& mod) override;

private:
  Skarvel* fx;
};
