#pragma once

#include "gui/IBitmapControl.h"

// Steps to the previous or next program (ten with the right button), never past either end,
// and tells the host about the new program and every parameter.
class IKwPresetSwitch : public IBitmapControl
{
public:
  enum Direction { kPrevious = 0, kNext = 1 };

  IKwPresetSwitch(IPlugBase* plug, int x, int y, const SkinBitmap& bitmap, int direction);

  void MouseDown(int x, int y, const MouseModifiers& mod) override;
  void MouseUp(int x, int y, const MouseModifiers& mod) override;
  void MouseDoubleClick(int x, int y, const MouseModifiers& mod) override;

private:
  int direction;
};
