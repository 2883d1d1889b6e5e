#include "gui/IBitmapControl.h"

#include "gui/IGraphics.h"

IBitmapControl::IBitmapControl(IPlugBase* plug, int x, int y, int paramIdx, const SkinBitmap& b,
                               int blendMethod)
    : IControl(plug, EditorRect(x, y, x + b.FrameWidth(), y + b.FrameHeight()), paramIdx, blendMethod),
      bitmap(b)
{}

bool IBitmapControl::Paint(IGraphics* g)
{
  return g->DrawBitmapFrame(bitmap, rect, IGraphics::FrameForValue(bitmap.N, value), &blend);
}
