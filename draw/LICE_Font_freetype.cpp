// Linux fonts: fontconfig finds the face for the requested family, weight and slant ("Arial"
// resolves to a metric-compatible face such as Liberation Sans) and FreeType renders the
// glyphs; quality 1 asks for 1-bit glyphs, like a non-antialiased GDI font. There is no device
// context the system could draw into, so every text takes the glyph cache. Escapement and
// orientation are not applied (the editor's texts are horizontal).
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <cmath>
#include <cstdlib>
#include <string>

#include "draw/LICE_CachedFont.h"
#include "draw/LICE_SystemFont.h"

namespace {
struct FreeTypeFont
{
  FT_Face face;
  int ascent;
  int lineHeight;
  bool mono;
};

// One FreeType library for all fonts, alive while any font is.
FT_Library g_library = nullptr;
int g_fontCount = 0;

bool FindFontFile(const LICE_FontDesc& desc, std::string& path, int& index)
{
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(desc.face ? desc.face : ""));
  FcPatternAddInteger(pattern, FC_WEIGHT, desc.weight >= 600 ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, desc.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  FcChar8* file = nullptr;
  const bool found = match && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch;
  if (found) {
    path = reinterpret_cast<const char*>(file);
    if (FcPatternGetInteger(match, FC_INDEX, 0, &index) != FcResultMatch) index = 0;
  }
  if (match) FcPatternDestroy(match);
  return found;
}

// Sizes the face so that ascent + descent (the Windows cell) is the requested height.
void SizeToCell(FreeTypeFont& f, int height)
{
  const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(f.face, FT_SFNT_OS2));
  double ascent = f.face->ascender, descent = -f.face->descender;
  if (os2 && os2->usWinAscent + os2->usWinDescent > 0) {
    ascent = os2->usWinAscent;
    descent = os2->usWinDescent;
  }
  const double units = f.face->units_per_EM;
  const double em = height * units / (ascent + descent);
  FT_Set_Char_Size(f.face, 0, FT_F26Dot6(std::lround(em * 64.0)), 72, 72);
  f.ascent = int(std::lround(ascent * em / units));
  f.lineHeight = height;
}

void ReleaseLibrary()
{
  if (--g_fontCount == 0) {
    FT_Done_FreeType(g_library);
    g_library = nullptr;
  }
}
}  // namespace

void LICE_PrepareFontSystem() { FcInit(); }

LICE_FontHandle LICE_CreateFont(const LICE_FontDesc& desc)
{
  std::string path;
  int index = 0;
  const int height = std::abs(desc.height);
  if (height < 1 || height > 1000 || !FindFontFile(desc, path, index)) return nullptr;
  if (!g_library && FT_Init_FreeType(&g_library)) return nullptr;
  ++g_fontCount;
  FreeTypeFont* f = new FreeTypeFont{nullptr, 0, 0, desc.quality == 1};
  if (FT_New_Face(g_library, path.c_str(), index, &f->face)) {
    delete f;
    ReleaseLibrary();
    return nullptr;
  }
  SizeToCell(*f, height);
  return f;
}

void LICE_DestroyFont(LICE_FontHandle font)
{
  FreeTypeFont* f = static_cast<FreeTypeFont*>(font);
  if (!f) return;
  FT_Done_Face(f->face);
  delete f;
  ReleaseLibrary();
}

bool LICE_CachedFont::DrawNative(LICE_IBitmap*, const char*, int, LICE_Rect*, unsigned int, int&)
{
  return false;
}

int LICE_CachedFont::SystemLineHeight() { return static_cast<FreeTypeFont*>(font)->lineHeight; }

namespace {
void CopyCoverage(const FT_Bitmap& b, std::vector<unsigned char>& out)
{
  out.assign(size_t(b.width) * b.rows, 0);
  for (unsigned int y = 0; y < b.rows; ++y) {
    const unsigned char* src = b.buffer + ptrdiff_t(y) * b.pitch;
    unsigned char* dst = out.data() + size_t(y) * b.width;
    for (unsigned int x = 0; x < b.width; ++x)
      dst[x] = b.pixel_mode == FT_PIXEL_MODE_MONO ? ((src[x >> 3] >> (7 - (x & 7))) & 1) * 255 : src[x];
  }
}
}  // namespace

void LICE_CachedFont::RenderSystemGlyph(Glyph& g, std::vector<unsigned char>& coverage)
{
  FreeTypeFont* f = static_cast<FreeTypeFont*>(font);
  const FT_Int32 load = FT_LOAD_RENDER | (f->mono ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_LIGHT);
  if (FT_Load_Char(f->face, g.code, load)) return;
  const FT_GlyphSlot slot = f->face->glyph;
  const FT_Bitmap& b = slot->bitmap;
  g.advance = int((slot->advance.x + 32) >> 6);
  if (b.pixel_mode != FT_PIXEL_MODE_MONO && b.pixel_mode != FT_PIXEL_MODE_GRAY) return;
  g.left = slot->bitmap_left;
  g.top = f->ascent - slot->bitmap_top;
  g.width = int(b.width);
  g.height = int(b.rows);
  CopyCoverage(b, coverage);
}
