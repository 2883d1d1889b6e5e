#pragma once

#include "gui/IControl.h"

// A filmstrip knob turned by dragging: the knob's own height (or width) times the gearing in
// pixels sweeps the whole range, ten times that with control or shift held.
class IKnobMultiControl : public IControl
{
public:
  enum Direction { kVertical = 0, kHorizontal = 1 };

  IKnobMultiControl(IPlugBase* plug, int x, int y, int paramIdx, const SkinBitmap& bitmap,
                    int direction = kVertical, double gearing = 4.0);

  void MouseDrag(int x, int y, int dX, int dY, const MouseModifiers& mod) override;
  bool Paint(IGraphics* g) override;
  const SkinBitmap* DrawnBitmap() const override { return &bitmap; }
  int DrawnFrame() const override;

private:
  int direction;
  double gearing;
  SkinBitmap bitmap;
};
