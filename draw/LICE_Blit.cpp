#include "draw/LICE_Blit.h"

#include <algorithm>
#include <cstring>

#include "draw/LICE_PixelOps.h"

namespace {
struct BlitArea
{
  int srcX, srcY, dstX, dstY, w, h;
};

// Clips the source rectangle to the source and the destination; false when nothing is left.
bool ClipArea(LICE_IBitmap* dest, LICE_IBitmap* src, int dstX, int dstY, const LICE_Rect* srcRect,
              BlitArea& a)
{
  long long l = 0, t = 0, r = src->getWidth(), b = src->getHeight();
  if (srcRect) {
    l = srcRect->left;
    t = srcRect->top;
    r = std::min<long long>(srcRect->right, src->getWidth());
    b = std::min<long long>(srcRect->bottom, src->getHeight());
  }
  long long dx = dstX, dy = dstY;
  if (l < 0) {
    dx -= l;
    l = 0;
  }
  if (t < 0) {
    dy -= t;
    t = 0;
  }
  if (dx < 0) {
    l -= dx;
    dx = 0;
  }
  if (dy < 0) {
    t -= dy;
    dy = 0;
  }
  const long long w = std::min(r - l, dest->getWidth() - dx);
  const long long h = std::min(b - t, dest->getHeight() - dy);
  if (w <= 0 || h <= 0) return false;
  a = {int(l), int(t), int(dx), int(dy), int(w), int(h)};
  return true;
}

template <class PixelFn>
void ForEachPixel(LICE_IBitmap* dest, LICE_IBitmap* src, const BlitArea& a, PixelFn fn)
{
  for (int y = 0; y < a.h; ++y) {
    LICE_pixel* d = LICE_Row(dest, a.dstY + y) + a.dstX;
    const LICE_pixel* s = LICE_Row(src, a.srcY + y) + a.srcX;
    for (int x = 0; x < a.w; ++x) fn(d[x], s[x]);
  }
}

void CopyRows(LICE_IBitmap* dest, LICE_IBitmap* src, const BlitArea& a)
{
  for (int y = 0; y < a.h; ++y)
    std::memmove(LICE_Row(dest, a.dstY + y) + a.dstX, LICE_Row(src, a.srcY + y) + a.srcX,
                 size_t(a.w) * sizeof(LICE_pixel));
}

void ChannelCopy(LICE_IBitmap* dest, LICE_IBitmap* src, const BlitArea& a, int mode)
{
  const int srcShift = (mode & 3) * 8;
  const int dstShift = ((mode >> 2) & 3) * 8;
  const LICE_pixel keep = ~(LICE_pixel(0xFF) << dstShift);
  ForEachPixel(dest, src, a,
               [=](LICE_pixel& d, LICE_pixel s) { d = (d & keep) | (((s >> srcShift) & 0xFF) << dstShift); });
}
}  // namespace

void LICE_Blit(LICE_IBitmap* dest, LICE_IBitmap* src, int dstX, int dstY, const LICE_Rect* srcRect,
               float alpha, int mode)
{
  if (!dest || !src || !dest->getBits() || !src->getBits() || alpha == 0.0f) return;
  BlitArea a;
  if (!ClipArea(dest, src, dstX, dstY, srcRect, a)) return;
  if ((mode & LICE_BLIT_MODE_MASK) >= LICE_BLIT_MODE_CHANCOPY) {
    ChannelCopy(dest, src, a, mode);
    return;
  }
  if (mode == LICE_BLIT_MODE_COPY && alpha == 1.0f) {
    CopyRows(dest, src, a);
    return;
  }
  if (mode == LICE_BLIT_MODE_COPY && alpha == 0.5f) {
    ForEachPixel(dest, src, a, [](LICE_pixel& d, LICE_pixel s) { d = LICE_PixelOps::Half(s, d); });
    return;
  }
  const int ia = LICE_PixelOps::Weight(alpha);
  if (ia == 0) return;
  ForEachPixel(dest, src, a, [=](LICE_pixel& d, LICE_pixel s) { LICE_PixelOps::Blend(d, s, ia, mode); });
}
