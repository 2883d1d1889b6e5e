#include "gui/IFaderControl.h"

#include <cmath>

#include "gui/IGraphics.h"

namespace {
EditorRect FaderRect(int x, int y, int length, const SkinBitmap& h, int direction)
{
  if (direction == IFaderControl::kHorizontal) return {x, y, x + length, y + h.FrameHeight()};
  return {x, y, x + h.FrameWidth(), y + length};
}
}  // namespace

IFaderControl::IFaderControl(IPlugBase* plug, int x, int y, int len, int paramIdx, const SkinBitmap& h,
                             int dir)
    : IControl(plug, FaderRect(x, y, len, h, dir), paramIdx), length(len),
      handleSize(dir == kHorizontal ? h.FrameWidth() : h.FrameHeight()), handle(h), direction(dir)
{}

EditorRect IFaderControl::HandleRect(double v) const
{
  if (v < 0.0) v = value;
  EditorRect r(rect.L, rect.T, rect.L + handle.FrameWidth(), rect.T + handle.FrameHeight());
  const int travel = length - handleSize;
  if (direction == kHorizontal) {
    const int dx = static_cast<int>(std::floor(travel * v));
    r.L += dx;
    r.R += dx;
  } else {
    const int dy = static_cast<int>(std::floor(travel * (1.0 - v)));
    r.T += dy;
    r.B += dy;
  }
  return r;
}

void IFaderControl::SnapToMouse(int x, int y)
{
  const int travel = length - handleSize;
  if (travel <= 0) return;  // a handle as long as the track cannot move
  if (direction == kHorizontal)
    value = static_cast<double>(x - handleSize / 2 - rect.L) / travel;
  else
    value = 1.0 - static_cast<double>(y - handleSize / 2 - rect.T) / travel;
  MarkDirty(true);
}

void IFaderControl::MouseDown(int x, int y, const MouseModifiers& mod)
{
  if (mod.R)
    PromptForValue();
  else
    SnapToMouse(x, y);
}

void IFaderControl::MouseDrag(int x, int y, int, int, const MouseModifiers&) { SnapToMouse(x, y); }

bool IFaderControl::Paint(IGraphics* g) { return g->DrawBitmapFrame(handle, HandleRect(), 1, &blend); }

bool IFaderControl::HitTest(int x, int y)
{
  return (handleOnlyHit ? HandleRect() : targetRect).Contains(x, y);
}
