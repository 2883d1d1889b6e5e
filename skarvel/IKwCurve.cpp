#include "skarvel/IKwCurve.h"

#include <cmath>

#include "gui/IGraphics.h"

namespace {
// The colour ramp's half sine runs over pi rounded to 3.14159, slightly short of pi: at the
// middle of an even number of points it stays below its peak (level 254, not 255), and the
// drawn colours are those of this value.
constexpr double kColourRampPi = 3.14159;

double ClipUnit(double v)
{
  if (!(v >= -1.0)) return v > 1.0 ? 1.0 : -1.0;  // NaN draws at the bottom
  return v > 1.0 ? 1.0 : v;
}
}  // namespace

IKwCurve::IKwCurve(IPlugBase* plug, const EditorRect& r, bool c, const double* p, int n)
    : IControl(plug, r), coloured(c), xScale(r.W()), yScale(r.H() / 2), yOffset(r.H() / 2), points(p),
      count(n)
{}

EditorColour IKwCurve::SegmentColour(int i) const
{
  if (!coloured) return kColourWhite;
  const double t = i > 1 ? static_cast<double>(i - 1) / count : 0.0;
  const int level = 100 + static_cast<int>(std::floor(155.0 * std::sin(kColourRampPi * t)));
  return {255, level, level, level};
}

bool IKwCurve::Paint(IGraphics* g)
{
  if (!points || count < 1) return true;
  int px = 0, py = 0;
  for (int i = 0; i < count; ++i) {
    const int x = static_cast<int>(static_cast<float>(rect.L + i * xScale / count));
    const int y = static_cast<int>(static_cast<float>(rect.T + yOffset - yScale * ClipUnit(points[i])));
    // Point 0 draws as a segment of its own.
    if (i == 0) px = x, py = y;
    g->DrawLine(SegmentColour(i), px, py, x, y);
    px = x;
    py = y;
  }
  return true;
}
