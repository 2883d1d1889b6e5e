// Windows fonts are GDI fonts. Text goes straight into the destination's device context when
// the system can draw it; under Wine, for foreground alpha, or for glyph effects, glyphs are
// rendered once with GDI into a shared scratch bitmap and drawn from the font's cache. The
// drawing library's text flags have the values of GDI's DT_ flags, so they pass through.
// The LICE headers come first: <windows.h> defines DrawText as a macro.
#include "draw/LICE_Blit.h"
#include "draw/LICE_CachedFont.h"
#include "draw/LICE_SysBitmap.h"
#include "draw/LICE_SystemFont.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {
constexpr unsigned int kAlignFlags = LICE_DT_CENTER | LICE_DT_RIGHT | LICE_DT_VCENTER | LICE_DT_BOTTOM;

// Process-wide scratch bitmaps, made on first use and released at exit.
LICE_SysBitmap& MetricsScratch()
{
  static std::unique_ptr<LICE_SysBitmap> bm;
  if (!bm) {
    bm = std::make_unique<LICE_SysBitmap>(256, 256);
    if (HDC dc = static_cast<HDC>(bm->getDC())) {
      ::SetTextColor(dc, RGB(255, 255, 255));
      ::SetBkMode(dc, OPAQUE);
      ::SetBkColor(dc, RGB(0, 0, 0));
    }
  }
  return *bm;
}

LICE_SysBitmap& TextScratch(int w, int h)
{
  static std::unique_ptr<LICE_SysBitmap> bm;
  if (!bm) bm = std::make_unique<LICE_SysBitmap>();
  if (bm->getWidth() < w || bm->getHeight() < h)
    bm->resize(std::max(w, bm->getWidth()), std::max(h, bm->getHeight()));
  return *bm;
}

bool RunningUnderWine()
{
  static int wine = -1;
  if (wine < 0) {
    HKEY key = nullptr;
    wine = RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Wine", 0, KEY_READ, &key) == ERROR_SUCCESS;
    if (key) RegCloseKey(key);
  }
  return wine == 1;
}

// A lead byte above 193 followed by one to three continuation bytes.
bool HasUtf8Sequence(const char* str, int len)
{
  const unsigned char* p = reinterpret_cast<const unsigned char*>(str);
  for (int i = 0; i + 1 < len; ++i)
    if (p[i] > 193 && (p[i + 1] & 0xC0) == 0x80) return true;
  return false;
}

bool IsNtFamily() { return GetVersion() < 0x80000000; }

int SystemDrawText(HDC dc, const char* str, int len, RECT* r, UINT format)
{
  format |= DT_NOPREFIX;
  if (!HasUtf8Sequence(str, len) || !IsNtFamily()) return DrawTextA(dc, str, len, r, format);
  wchar_t local[1024];
  std::vector<wchar_t> heap;
  wchar_t* wide = local;
  if (len >= 1000) {
    heap.resize(size_t(len) + 1);
    wide = heap.data();
  }
  const int n = MultiByteToWideChar(CP_UTF8, 0, str, len, wide, len >= 1000 ? len + 1 : 1024);
  return DrawTextW(dc, wide, n, r, format);
}

struct TextLook
{
  HFONT font;
  LICE_pixel colour;
  int bkMode;
  LICE_pixel bkColour;
};

int DrawIntoContext(HDC dc, const TextLook& look, const char* str, int len, LICE_Rect* rect, UINT format)
{
  HGDIOBJ old = SelectObject(dc, look.font);
  ::SetTextColor(dc, RGB(LICE_GETR(look.colour), LICE_GETG(look.colour), LICE_GETB(look.colour)));
  ::SetBkMode(dc, look.bkMode == LICE_BKMODE_OPAQUE ? OPAQUE : TRANSPARENT);
  if (look.bkMode == LICE_BKMODE_OPAQUE)
    ::SetBkColor(dc, RGB(LICE_GETR(look.bkColour), LICE_GETG(look.bkColour), LICE_GETB(look.bkColour)));
  RECT r = {rect->left, rect->top, rect->right, rect->bottom};
  const int h = SystemDrawText(dc, str, len, &r, format);
  GdiFlush();  // the pixels are read directly after this
  if (format & DT_CALCRECT) *rect = {r.left, r.top, r.right, r.bottom};
  SelectObject(dc, old);
  return h;
}

int AlignOffset(int spare, UINT format, UINT centre, UINT end)
{
  return (format & centre) ? spare / 2 : (format & end) ? spare : 0;
}
}  // namespace

void LICE_PrepareFontSystem() {}

LICE_FontHandle LICE_CreateFont(const LICE_FontDesc& desc)
{
  // GDI would make a default-sized font for height 0; the editor's fonts always have a size,
  // and both platforms refuse the same requests.
  if (desc.height == 0 || desc.height > 1000 || desc.height < -1000) return nullptr;
  const DWORD quality = desc.quality == 1   ? NONANTIALIASED_QUALITY
                        : desc.quality == 2 ? ANTIALIASED_QUALITY
                        : desc.quality == 3 ? CLEARTYPE_QUALITY
                                            : DEFAULT_QUALITY;
  return CreateFontA(desc.height, 0, desc.escapement, desc.orientation, desc.weight, desc.italic, FALSE,
                     FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, quality,
                     DEFAULT_PITCH | FF_DONTCARE, desc.face);
}

void LICE_DestroyFont(LICE_FontHandle font)
{
  if (font) DeleteObject(static_cast<HFONT>(font));
}

int LICE_CachedFont::SystemLineHeight()
{
  HDC dc = static_cast<HDC>(MetricsScratch().getDC());
  if (!dc) return 0;
  HGDIOBJ old = SelectObject(dc, static_cast<HFONT>(font));
  TEXTMETRICA tm = {};
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  return tm.tmHeight;
}

void LICE_CachedFont::RenderSystemGlyph(Glyph& g, std::vector<unsigned char>& coverage)
{
  LICE_SysBitmap& scratch = MetricsScratch();
  HDC dc = static_cast<HDC>(scratch.getDC());
  if (!dc) return;
  wchar_t ch[2];
  int n = 1;
  if (g.code < 0x10000)
    ch[0] = wchar_t(g.code);
  else {
    ch[0] = wchar_t(0xD800 + ((g.code - 0x10000) >> 10));
    ch[1] = wchar_t(0xDC00 + ((g.code - 0x10000) & 0x3FF));
    n = 2;
  }
  HGDIOBJ old = SelectObject(dc, static_cast<HFONT>(font));
  SIZE size = {};
  GetTextExtentPoint32W(dc, ch, n, &size);
  g.advance = size.cx;
  g.width = std::min<int>(size.cx, scratch.getWidth());
  g.height = std::min<int>(size.cy, scratch.getHeight());
  RECT box = {0, 0, g.width, g.height};
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &box, ch, UINT(n), nullptr);  // white on black
  GdiFlush();
  SelectObject(dc, old);
  coverage.resize(size_t(g.width) * size_t(g.height));
  for (int y = 0; y < g.height; ++y)
    for (int x = 0; x < g.width; ++x)
      coverage[size_t(y) * g.width + x] = static_cast<unsigned char>(LICE_GETG(LICE_Row(&scratch, y)[x]));
}

bool LICE_CachedFont::DrawNative(LICE_IBitmap* bm, const char* str, int len, LICE_Rect* rect,
                                 unsigned int format, int& height)
{
  if (!(flags & LICE_FONT_FLAG_FORCE_NATIVE) || !font || RunningUnderWine() ||
      (format & LICE_DT_USEFGALPHA) ||
      (flags & (LICE_FONT_FLAG_PRECALCALL | LICE_FONT_FLAGS_GLYPH_EFFECTS)) ||
      (lineSpacing && !(format & LICE_DT_SINGLELINE)))
    return false;
  const TextLook look = {static_cast<HFONT>(font), textColor, bkMode, bkColor};
  if (HDC dc = bm ? static_cast<HDC>(bm->getDC()) : nullptr) {
    height = DrawIntoContext(dc, look, str, len, rect, format);
    return true;
  }
  // No device context of its own: measure, draw into a copy of the area, copy it back.
  LICE_Rect measured = {0, 0, 0, 0};
  LICE_SysBitmap& probe = TextScratch(1, 1);
  DrawIntoContext(static_cast<HDC>(probe.getDC()), look, str, len, &measured,
                  (format & ~kAlignFlags) | DT_CALCRECT);
  const int w = measured.right, h = measured.bottom;
  height = h;
  if (format & DT_CALCRECT) {
    rect->right = rect->left + w;
    rect->bottom = rect->top + h;
    return true;
  }
  const int x = rect->left + AlignOffset(rect->right - rect->left - w, format, DT_CENTER, DT_RIGHT);
  const int y = rect->top + AlignOffset(rect->bottom - rect->top - h, format, DT_VCENTER, DT_BOTTOM);
  LICE_SysBitmap& scratch =
    TextScratch(std::max(w, rect->right - rect->left), std::max(h, rect->bottom - rect->top));
  const LICE_Rect area = {x, y, x + w, y + h};
  LICE_Blit(&scratch, bm, 0, 0, &area, 1.0f, LICE_BLIT_MODE_COPY);
  LICE_Rect local = {0, 0, w, h};
  DrawIntoContext(static_cast<HDC>(scratch.getDC()), look, str, len, &local, format & ~kAlignFlags);
  const LICE_Rect back = {0, 0, w, h};
  LICE_Blit(bm, &scratch, x, y, &back, alpha, combineMode);
  return true;
}
