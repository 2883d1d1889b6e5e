#pragma once

#include "draw/LICE_IBitmap.h"

// The platform font a LICE font wraps: an HFONT on Windows, a FreeType face elsewhere.
typedef void* LICE_FontHandle;

// Font flags.
enum {
  LICE_FONT_FLAG_PRECALCALL = 4,          // render glyphs 0..127 as soon as the font is set
  LICE_FONT_FLAGS_GLYPH_EFFECTS = 0x1F3,  // vertical, bottom-up and effect glyphs: cache only
  LICE_FONT_FLAG_OWNS_HFONT = 0x200,
  LICE_FONT_FLAG_FORCE_NATIVE = 0x400,
};

// Text flags (the Windows DrawText values) plus the foreground-alpha request.
enum {
  LICE_DT_CENTER = 0x1,
  LICE_DT_RIGHT = 0x2,
  LICE_DT_VCENTER = 0x4,
  LICE_DT_BOTTOM = 0x8,
  LICE_DT_SINGLELINE = 0x20,
  LICE_DT_NOCLIP = 0x100,
  LICE_DT_CALCRECT = 0x400,
  LICE_DT_NOPREFIX = 0x800,
  LICE_DT_USEFGALPHA = 0x40000000,
};

enum {
  LICE_BKMODE_TRANSPARENT = 1,
  LICE_BKMODE_OPAQUE = 2,
};

class LICE_IFont
{
public:
  virtual ~LICE_IFont() = default;
  virtual void SetFromHFont(LICE_FontHandle font, int flags = 0) = 0;
  virtual LICE_pixel SetTextColor(LICE_pixel color) = 0;
  virtual LICE_pixel SetBkColor(LICE_pixel color) = 0;
  virtual LICE_pixel SetEffectColor(LICE_pixel color) = 0;
  virtual int SetBkMode(int mode) = 0;
  virtual void SetCombineMode(int combine, float alpha = 1.0f) = 0;
  // Draws (or with LICE_DT_CALCRECT measures into rect) and returns the text's height.
  virtual int DrawText(LICE_IBitmap* bm, const char* str, int strcnt, LICE_Rect* rect,
                       unsigned int dtFlags) = 0;
  virtual LICE_pixel GetTextColor() = 0;
  virtual LICE_FontHandle GetHFont() = 0;
  virtual int GetLineHeight() = 0;
};
