#pragma once

#include "gui/IBitmapControl.h"

// A click steps through the strip's frames and wraps to the first; a double-click is a click.
class ISwitchControl : public IBitmapControl
{
public:
  ISwitchControl(IPlugBase* plug, int x, int y, int paramIdx, const SkinBitmap& bitmap);

  void MouseDown(int x, int y, const MouseModifiers& mod) override;
  void MouseDoubleClick(int x, int y, const MouseModifiers& mod) override;
};
