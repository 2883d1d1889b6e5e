#pragma once

#include "gui/IControl.h"

// A slider: a handle bitmap travelling `length` pixels. A click puts the handle's centre under
// the mouse; dragging follows the mouse.
class IFaderControl : public IControl
{
public:
  enum Direction { kVertical = 0, kHorizontal = 1 };

  IFaderControl(IPlugBase* plug, int x, int y, int length, int paramIdx, const SkinBitmap& handle,
                int direction = kHorizontal);

  void MouseDown(int x, int y, const MouseModifiers& mod) override;
  void MouseDrag(int x, int y, int dX, int dY, const MouseModifiers& mod) override;
  bool Paint(IGraphics* g) override;
  const SkinBitmap* DrawnBitmap() const override { return &handle; }
  bool HitTest(int x, int y) override;

  // The handle's rectangle for value v, or for the current value when v < 0.
  EditorRect HandleRect(double v = -1.0) const;
  void SetHandleOnlyHit(bool b) { handleOnlyHit = b; }

private:
  void SnapToMouse(int x, int y);

  int length;
  int handleSize;
  SkinBitmap handle;
  int direction;
  bool handleOnlyHit = false;
};
