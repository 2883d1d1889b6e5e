#include "draw/LICE_Line.h"

#include <cstdlib>

#include "draw/LICE_PixelOps.h"

namespace {
enum { kLeft = 1, kRight = 2, kTop = 4, kBottom = 8 };

int OutCode(int x, int y, int w, int h)
{
  return (x < 0 ? kLeft : x >= w ? kRight : 0) | (y < 0 ? kTop : y >= h ? kBottom : 0);
}

// Cohen-Sutherland against 0..w-1 x 0..h-1; false when the segment misses the bitmap.
bool ClipSegment(int& x1, int& y1, int& x2, int& y2, int w, int h)
{
  int c1 = OutCode(x1, y1, w, h);
  int c2 = OutCode(x2, y2, w, h);
  while (c1 | c2) {
    if (c1 & c2) return false;
    const int c = c1 ? c1 : c2;
    const double dx = double(x2) - x1, dy = double(y2) - y1;
    double x, y;
    if (c & kLeft)
      x = 0, y = y1 + dy * (0 - x1) / dx;
    else if (c & kRight)
      x = w - 1, y = y1 + dy * (w - 1 - x1) / dx;
    else if (c & kTop)
      y = 0, x = x1 + dx * (0 - y1) / dy;
    else
      y = h - 1, x = x1 + dx * (h - 1 - y1) / dy;
    if (c == c1)
      x1 = int(x), y1 = int(y), c1 = OutCode(x1, y1, w, h);
    else
      x2 = int(x), y2 = int(y), c2 = OutCode(x2, y2, w, h);
  }
  return true;
}

// Writes one colour into pixels with the weight and mode of the line.
class Pen
{
public:
  Pen(LICE_IBitmap* bm, LICE_pixel c, float alpha, int mode)
      : bm(bm), color(c), alpha(alpha), mode(mode & LICE_BLIT_MODE_MASK), weight(LICE_PixelOps::Weight(alpha))
  {}

  void Plot(int x, int y) { Put(LICE_Row(bm, y)[x], weight); }

  // Anti-aliased pixels take a share (0..256) of the line's weight.
  void PlotShare(int x, int y, int share)
  {
    if (x >= 0 && y >= 0 && x < bm->getWidth() && y < bm->getHeight())
      LICE_PixelOps::Blend(LICE_Row(bm, y)[x], color, weight * share / 256, mode);
  }

private:
  void Put(LICE_pixel& d, int ia)
  {
    if (mode != LICE_BLIT_MODE_COPY)
      LICE_PixelOps::Blend(d, color, ia, mode);
    else if (alpha == 1.0f)
      d = color;
    else if (alpha == 0.5f)
      d = LICE_PixelOps::Half(color, d);
    else if (alpha == 0.25f)
      d = LICE_PixelOps::Quarter(color, d);
    else if (alpha == 0.75f)
      d = LICE_PixelOps::ThreeQuarters(color, d);
    else
      LICE_PixelOps::Copy(d, color, ia);
  }

  LICE_IBitmap* bm;
  LICE_pixel color;
  float alpha;
  int mode;
  int weight;
};

// Walks from both ends towards the middle so the line is the same drawn either way round.
void TwoEndedWalk(Pen& pen, int x1, int y1, int x2, int y2)
{
  const int dx = x2 - x1, dy = y2 - y1;
  const bool xMajor = std::abs(dx) >= std::abs(dy);
  const int n = xMajor ? std::abs(dx) : std::abs(dy);
  const int majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
  const int minorStep = (xMajor ? dy : dx) < 0 ? -1 : 1;
  const int slope = int((long long)(xMajor ? std::abs(dy) : std::abs(dx)) * 0x10000 / n);
  int fa = xMajor ? x1 : y1, fb = xMajor ? y1 : x1;  // front: major, minor
  int ba = xMajor ? x2 : y2, bb = xMajor ? y2 : x2;  // back
  auto plot = [&](int a, int b) { xMajor ? pen.Plot(a, b) : pen.Plot(b, a); };
  int acc = 0;
  for (int i = (n + 1) / 2; i > 0; --i) {
    plot(fa, fb);
    plot(ba, bb);
    fa += majorStep;
    ba -= majorStep;
    if (acc + slope >= 0x8000) {
      acc += slope - 0x10000;
      fb += minorStep;
      bb -= minorStep;
    } else
      acc += slope;
  }
  if (!(n & 1)) plot(fa, fb);
}

// Two pixels per major step, shared by the fractional minor position.
void AntialiasedWalk(Pen& pen, int x1, int y1, int x2, int y2)
{
  const int dx = x2 - x1, dy = y2 - y1;
  const bool xMajor = std::abs(dx) >= std::abs(dy);
  const int n = xMajor ? std::abs(dx) : std::abs(dy);
  const int majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
  const long long minorTotal = (long long)(xMajor ? dy : dx) * 0x10000;
  const long long minorStart = (long long)(xMajor ? y1 : x1) * 0x10000;
  for (int i = 0; i <= n; ++i) {
    const long long minor = minorStart + minorTotal * i / n;
    const int a = (xMajor ? x1 : y1) + i * majorStep;
    const int b = int(minor >> 16);
    const int frac = int((minor & 0xFFFF) >> 8);
    if (xMajor)
      pen.PlotShare(a, b, 256 - frac), pen.PlotShare(a, b + 1, frac);
    else
      pen.PlotShare(b, a, 256 - frac), pen.PlotShare(b + 1, a, frac);
  }
}
}  // namespace

void LICE_Line(LICE_IBitmap* dest, int x1, int y1, int x2, int y2, LICE_pixel color, float alpha, int mode,
               bool antialias)
{
  if (!dest || !dest->getBits() || LICE_PixelOps::Weight(alpha) == 0) return;
  if (!ClipSegment(x1, y1, x2, y2, dest->getWidth(), dest->getHeight())) return;
  Pen pen(dest, color, alpha, mode);
  const int dx = x2 - x1, dy = y2 - y1;
  if (dy == 0 || dx == 0 || std::abs(dx) == std::abs(dy)) {
    const int n = dx ? std::abs(dx) : std::abs(dy);
    const int sx = dx < 0 ? -1 : dx > 0, sy = dy < 0 ? -1 : dy > 0;
    for (int i = 0; i <= n; ++i) pen.Plot(x1 + i * sx, y1 + i * sy);
  } else if (antialias)
    AntialiasedWalk(pen, x1, y1, x2, y2);
  else
    TwoEndedWalk(pen, x1, y1, x2, y2);
}
