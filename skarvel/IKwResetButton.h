#pragma once

#include "gui/IBitmapControl.h"

class Skarvel;

// Asks the effect to clear its held maximum levels on its next metering pass.
class IKwResetButton : public IBitmapControl
{
public:
  IKwResetButton(Skarvel* fx, int x, int y, const SkinBitmap& bitmap);

  void MouseDown(int x, int y, const MouseModifiers& mod) override;
  void MouseUp(int x, int y, const MouseModifiers& mod) override;
  void MouseDoubleClick(int x, int y, const MouseModifiers& mod) override;

private:
  Skarvel* fx;
};
