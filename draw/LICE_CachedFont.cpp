#include "draw/LICE_CachedFont.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "draw/LICE_PixelOps.h"
#include "draw/LICE_SystemFont.h"

namespace {
constexpr size_t kGlyphListStep = 4096;
constexpr size_t kGlyphPixelStep = 65536;

template <class T> void ReserveInSteps(std::vector<T>& v, size_t count, size_t stepBytes)
{
  if (count <= v.capacity()) return;
  const size_t bytes = (count * sizeof(T) + stepBytes - 1) / stepBytes * stepBytes;
  v.reserve(bytes / sizeof(T));
}

// Next code point of UTF-8 text; a byte that does not start a valid sequence stands for itself.
unsigned int NextCodePoint(const unsigned char*& p, const unsigned char* end)
{
  const unsigned int lead = *p++;
  const int follow = lead > 0xF4 || lead < 0xC2 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : 1;
  if (!follow || end - p < follow) return lead;
  unsigned int code = lead & (0x3F >> follow);
  for (int i = 0; i < follow; ++i) {
    if ((p[i] & 0xC0) != 0x80) return lead;
    code = (code << 6) | (p[i] & 0x3F);
  }
  p += follow;
  return code;
}

bool Intersect(const LICE_Rect& a, const LICE_Rect& b, LICE_Rect& out)
{
  out = {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
         std::min(a.bottom, b.bottom)};
  return out.left < out.right && out.top < out.bottom;
}

int AlignOffset(int spare, unsigned int flags, unsigned int centre, unsigned int end)
{
  if (flags & centre) return spare / 2;
  if (flags & end) return spare;
  return 0;
}
}  // namespace

LICE_CachedFont::LICE_CachedFont() = default;

LICE_CachedFont::~LICE_CachedFont()
{
  if (flags & LICE_FONT_FLAG_OWNS_HFONT) LICE_DestroyFont(font);
}

void LICE_CachedFont::SetFromHFont(LICE_FontHandle newFont, int newFlags)
{
  if ((flags & LICE_FONT_FLAG_OWNS_HFONT) && font && font != newFont) LICE_DestroyFont(font);
  flags = newFlags;
  font = newFont;
  lineHeight = font ? SystemLineHeight() : 0;
  ClearCache();
  if (font && (flags & LICE_FONT_FLAG_PRECALCALL))
    for (unsigned int c = 0; c < 128; ++c) GetGlyph(c);
}

LICE_pixel LICE_CachedFont::SetTextColor(LICE_pixel color) { return std::exchange(textColor, color); }
LICE_pixel LICE_CachedFont::SetBkColor(LICE_pixel color) { return std::exchange(bkColor, color); }
LICE_pixel LICE_CachedFont::SetEffectColor(LICE_pixel color) { return std::exchange(effectColor, color); }
int LICE_CachedFont::SetBkMode(int mode) { return std::exchange(bkMode, mode); }

void LICE_CachedFont::SetCombineMode(int combine, float a)
{
  combineMode = combine;
  alpha = a;
}

void LICE_CachedFont::ClearCache()
{
  for (unsigned int c = 0; c < 128; ++c) asciiGlyphs[c] = Glyph{c};
  extraGlyphs.clear();
  glyphPixels.clear();
}

const LICE_CachedFont::Glyph& LICE_CachedFont::GetGlyph(unsigned int code)
{
  if (code < 128) {
    Render(asciiGlyphs[code]);
    return asciiGlyphs[code];
  }
  auto it = std::lower_bound(extraGlyphs.begin(), extraGlyphs.end(), code,
                             [](const Glyph& g, unsigned int c) { return g.code < c; });
  if (it == extraGlyphs.end() || it->code != code) {
    const size_t at = size_t(it - extraGlyphs.begin());
    ReserveInSteps(extraGlyphs, extraGlyphs.size() + 1, kGlyphListStep);
    it = extraGlyphs.insert(extraGlyphs.begin() + ptrdiff_t(at), Glyph{code});
  }
  Render(*it);
  return *it;
}

void LICE_CachedFont::Render(Glyph& g)
{
  if (g.rendered || !font) return;
  g.rendered = true;
  std::vector<unsigned char> coverage;
  RenderSystemGlyph(g, coverage);
  if (g.width <= 0 || g.height <= 0 || coverage.size() != size_t(g.width) * size_t(g.height)) {
    g.width = g.height = 0;
    coverage.clear();
  }
  ReserveInSteps(glyphPixels, glyphPixels.size() + coverage.size(), kGlyphPixelStep);
  g.offset = glyphPixels.size();
  glyphPixels.insert(glyphPixels.end(), coverage.begin(), coverage.end());
}

LICE_CachedFont::TextSize LICE_CachedFont::Measure(const char* str, int len, unsigned int dtFlags)
{
  const unsigned char* p = reinterpret_cast<const unsigned char*>(str);
  const unsigned char* end = p + len;
  int widest = 0, lineWidth = 0, lines = 1;
  while (p < end) {
    unsigned int c = NextCodePoint(p, end);
    if (c == '\r') continue;
    if (c == '\n' && !(dtFlags & LICE_DT_SINGLELINE)) {
      widest = std::max(widest, lineWidth);
      lineWidth = 0;
      ++lines;
      continue;
    }
    lineWidth += GetGlyph(c == '\n' ? ' ' : c).advance;
  }
  widest = std::max(widest, lineWidth);
  return {widest, lines * lineHeight + (lines - 1) * lineSpacing};
}

int LICE_CachedFont::DrawText(LICE_IBitmap* bm, const char* str, int strcnt, LICE_Rect* rect,
                              unsigned int dtFlags)
{
  if (!rect || !str || (!bm && !(dtFlags & LICE_DT_CALCRECT))) return 0;
  const int len = strcnt < 0 ? int(std::strlen(str)) : strcnt;
  int height = 0;
  if (DrawNative(bm, str, len, rect, dtFlags, height)) return height;
  if (dtFlags & LICE_DT_CALCRECT) {
    const TextSize size = Measure(str, len, dtFlags);
    rect->right = rect->left + size.width;
    rect->bottom = rect->top + size.height;
    return size.height;
  }
  return DrawCached(bm, str, len, *rect, dtFlags);
}

int LICE_CachedFont::DrawCached(LICE_IBitmap* bm, const char* str, int len, const LICE_Rect& rect,
                                unsigned int dtFlags)
{
  float a = alpha;
  if (dtFlags & LICE_DT_USEFGALPHA) a *= LICE_GETA(textColor) / 255.0f;
  const int weight = LICE_PixelOps::Weight(a);
  const LICE_Rect whole{0, 0, bm->getWidth(), bm->getHeight()};
  LICE_Rect clip;
  if (weight == 0 || !bm->getBits() || !Intersect((dtFlags & LICE_DT_NOCLIP) ? whole : rect, whole, clip))
    return 0;
  const TextSize size = Measure(str, len, dtFlags);
  const int x0 =
    rect.left + AlignOffset(rect.right - rect.left - size.width, dtFlags, LICE_DT_CENTER, LICE_DT_RIGHT);
  int y =
    rect.top + AlignOffset(rect.bottom - rect.top - size.height, dtFlags, LICE_DT_VCENTER, LICE_DT_BOTTOM);
  int x = x0;
  const unsigned char* p = reinterpret_cast<const unsigned char*>(str);
  const unsigned char* end = p + len;
  while (p < end) {
    unsigned int c = NextCodePoint(p, end);
    if (c == '\r') continue;
    if (c == '\n' && !(dtFlags & LICE_DT_SINGLELINE)) {
      x = x0;
      y += lineHeight + lineSpacing;
      continue;
    }
    const Glyph& g = GetGlyph(c == '\n' ? ' ' : c);
    if (bkMode == LICE_BKMODE_OPAQUE) FillBackground(bm, x, y, g.advance, clip);
    DrawGlyph(bm, g, x, y, clip, weight);
    x += g.advance;
  }
  return size.height;
}

void LICE_CachedFont::FillBackground(LICE_IBitmap* bm, int x, int y, int w, const LICE_Rect& clip)
{
  LICE_Rect area;
  if (!Intersect({x, y, x + w, y + lineHeight}, clip, area)) return;
  for (int row = area.top; row < area.bottom; ++row)
    std::fill(LICE_Row(bm, row) + area.left, LICE_Row(bm, row) + area.right, bkColor);
}

void LICE_CachedFont::DrawGlyph(LICE_IBitmap* bm, const Glyph& g, int x, int y, const LICE_Rect& clip,
                                int weight)
{
  const int gx = x + g.left, gy = y + g.top;
  LICE_Rect area;
  if (!Intersect({gx, gy, gx + g.width, gy + g.height}, clip, area)) return;
  for (int row = area.top; row < area.bottom; ++row) {
    const unsigned char* cover = glyphPixels.data() + g.offset + size_t(row - gy) * g.width;
    LICE_pixel* d = LICE_Row(bm, row);
    for (int col = area.left; col < area.right; ++col)
      if (const int c = cover[col - gx])
        LICE_PixelOps::Blend(d[col], textColor, weight * c / 255, combineMode);
  }
}
