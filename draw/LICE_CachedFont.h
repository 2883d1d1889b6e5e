#pragma once

#include <cstddef>
#include <vector>

#include "draw/LICE_IFont.h"

// A font around a platform font handle. Where the platform can draw text straight into the
// destination it does (Windows GDI, outside Wine); otherwise glyphs are rendered once into a
// cache and drawn from there.
class LICE_CachedFont : public LICE_IFont
{
public:
  LICE_CachedFont();
  ~LICE_CachedFont() override;
  LICE_CachedFont(const LICE_CachedFont&) = delete;
  LICE_CachedFont& operator=(const LICE_CachedFont&) = delete;

  void SetFromHFont(LICE_FontHandle font, int flags = 0) override;
  LICE_pixel SetTextColor(LICE_pixel color) override;
  LICE_pixel SetBkColor(LICE_pixel color) override;
  LICE_pixel SetEffectColor(LICE_pixel color) override;
  int SetBkMode(int mode) override;
  void SetCombineMode(int combine, float alpha = 1.0f) override;
  int DrawText(LICE_IBitmap* bm, const char* str, int strcnt, LICE_Rect* rect, unsigned int dtFlags) override;
  LICE_pixel GetTextColor() override { return textColor; }
  LICE_FontHandle GetHFont() override { return font; }
  int GetLineHeight() override { return lineHeight; }

  // A rendered glyph: coverage 0..255 in the pixel store, placed relative to the pen at the
  // top of the line.
  struct Glyph
  {
    unsigned int code = 0;
    bool rendered = false;
    int advance = 0;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    size_t offset = 0;
  };

private:
  struct TextSize
  {
    int width;
    int height;
  };

  const Glyph& GetGlyph(unsigned int code);
  void Render(Glyph& g);
  TextSize Measure(const char* str, int len, unsigned int flags);
  int DrawCached(LICE_IBitmap* bm, const char* str, int len, const LICE_Rect& rect, unsigned int flags);
  void DrawGlyph(LICE_IBitmap* bm, const Glyph& g, int x, int y, const LICE_Rect& clip, int weight);
  void FillBackground(LICE_IBitmap* bm, int x, int y, int w, const LICE_Rect& clip);
  void ClearCache();

  // Platform parts (LICE_Font_gdi.cpp, LICE_Font_freetype.cpp).
  bool DrawNative(LICE_IBitmap* bm, const char* str, int len, LICE_Rect* rect, unsigned int flags,
                  int& height);
  int SystemLineHeight();
  // Fills in the glyph's metrics and its width x height coverage bytes.
  void RenderSystemGlyph(Glyph& g, std::vector<unsigned char>& coverage);

  LICE_pixel textColor = 0;
  LICE_pixel bkColor = LICE_pixel(-1);
  LICE_pixel effectColor = LICE_pixel(-1);
  int bkMode = LICE_BKMODE_TRANSPARENT;
  int combineMode = 0;
  float alpha = 1.0f;
  int flags = 0;
  int lineHeight = 0;
  int lineSpacing = 0;
  Glyph asciiGlyphs[128];
  std::vector<Glyph> extraGlyphs;  // sorted by code
  std::vector<unsigned char> glyphPixels;
  LICE_FontHandle font = nullptr;
};
