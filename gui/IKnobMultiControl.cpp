#include "gui/IKnobMultiControl.h"

#include "gui/IGraphics.h"

IKnobMultiControl::IKnobMultiControl(IPlugBase* plug, int x, int y, int paramIdx, const SkinBitmap& b,
                                     int dir, double gear)
    : IControl(plug, EditorRect(x, y, x + b.FrameWidth(), y + b.FrameHeight()), paramIdx), direction(dir),
      gearing(gear), bitmap(b)
{}

void IKnobMultiControl::MouseDrag(int, int, int dX, int dY, const MouseModifiers& mod)
{
  const double g = mod.C || mod.S ? gearing * 10.0 : gearing;
  if (rect.W() <= 0 || rect.H() <= 0 || !(g > 0.0)) return;  // no bitmap: no travel
  if (direction == kVertical)
    value += static_cast<double>(dY) / (rect.T - rect.B) / g;
  else
    value += static_cast<double>(dX) / (rect.R - rect.L) / g;
  MarkDirty(true);
}

int IKnobMultiControl::DrawnFrame() const { return IGraphics::FrameForValue(bitmap.N, value); }

bool IKnobMultiControl::Paint(IGraphics* g) { return g->DrawBitmapFrame(bitmap, rect, DrawnFrame(), &blend); }
