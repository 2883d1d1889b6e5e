#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "draw/LICE_CachedFont.h"
#include "draw/LICE_MemBitmap.h"
#include "draw/LICE_PNG.h"
#include "draw/LICE_SystemFont.h"

namespace {
constexpr LICE_pixel kGround = LICE_RGBA(30, 32, 36, 255);
constexpr LICE_pixel kWhite = LICE_RGBA(255, 255, 255, 255);

// The editor's text style: Arial 13, non-antialiased, owned handle, native drawing requested.
std::unique_ptr<LICE_CachedFont> EditorFont()
{
  LICE_FontDesc d;
  d.height = 13;
  d.quality = 1;
  d.face = "Arial";
  auto f = std::make_unique<LICE_CachedFont>();
  f->SetFromHFont(LICE_CreateFont(d), LICE_FONT_FLAG_OWNS_HFONT | LICE_FONT_FLAG_FORCE_NATIVE);
  f->SetTextColor(kWhite);
  return f;
}

struct Canvas
{
  LICE_MemBitmap bm{200, 40};
  Canvas()
  {
    for (int y = 0; y < bm.getHeight(); ++y)
      for (int x = 0; x < bm.getWidth(); ++x) LICE_Row(&bm, y)[x] = kGround;
  }
  // The inked box, or an empty rectangle.
  LICE_Rect Ink()
  {
    LICE_Rect r{bm.getWidth(), bm.getHeight(), 0, 0};
    for (int y = 0; y < bm.getHeight(); ++y)
      for (int x = 0; x < bm.getWidth(); ++x)
        if (LICE_Row(&bm, y)[x] != kGround)
          r = {std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1), std::max(r.bottom, y + 1)};
    return r.right ? r : LICE_Rect{};
  }
  bool Untouched() { return Ink().right == 0; }
};
}  // namespace

TEST(Font, EditorFaceIsFoundAndSizedToItsCell)
{
  auto f = EditorFont();
  ASSERT_NE(f->GetHFont(), nullptr);
#ifdef _WIN32
  // Wine's GDI rounds ascent and descent separately: its 13-pixel Liberation Sans reports 11 + 3.
  EXPECT_GE(f->GetLineHeight(), 13);
  EXPECT_LE(f->GetLineHeight(), 14);
#else
  EXPECT_EQ(f->GetLineHeight(), 13);
#endif
}

TEST(Font, MeasuringChangesOnlyTheRectangle)
{
  auto f = EditorFont();
  Canvas c;
  LICE_Rect r{10, 5, 11, 6};
  const int cell = f->GetLineHeight();
  const int h = f->DrawText(&c.bm, "Max. level: -oo dB", -1, &r, LICE_DT_CALCRECT);
  EXPECT_EQ(h, cell);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 5);
  EXPECT_EQ(r.bottom, 5 + cell);
  EXPECT_GT(r.right - r.left, 80);
  EXPECT_LT(r.right - r.left, 130);
  EXPECT_TRUE(c.Untouched());
  LICE_Rect alone{0, 0, 0, 0};
  EXPECT_EQ(f->DrawText(nullptr, "abc", 3, &alone, LICE_DT_CALCRECT), cell);  // no bitmap needed
  EXPECT_GT(alone.right, 0);
}

TEST(Font, LinesAndCodePoints)
{
  auto f = EditorFont();
  const int cell = f->GetLineHeight();
  LICE_Rect two{0, 0, 0, 0}, one{0, 0, 0, 0}, spaced{0, 0, 0, 0};
  EXPECT_EQ(f->DrawText(nullptr, "ab\r\ncd", -1, &two, LICE_DT_CALCRECT), 2 * cell);
  EXPECT_EQ(f->DrawText(nullptr, "ab\ncd", -1, &one, LICE_DT_CALCRECT | LICE_DT_SINGLELINE), cell);
  f->DrawText(nullptr, "ab cd", -1, &spaced, LICE_DT_CALCRECT);
  EXPECT_EQ(one.right, spaced.right);
  LICE_Rect e{0, 0, 0, 0}, ee{0, 0, 0, 0};
  f->DrawText(nullptr, "\xC3\xA9", -1, &e, LICE_DT_CALCRECT);  // one two-byte character
  f->DrawText(nullptr, "\xC3\xA9\xC3\xA9", -1, &ee, LICE_DT_CALCRECT);
  EXPECT_EQ(ee.right, 2 * e.right);
  LICE_Rect broken{0, 0, 0, 0};
  EXPECT_EQ(f->DrawText(nullptr, "\xC3", 1, &broken, LICE_DT_CALCRECT), cell);  // cut sequence: no overrun
}

TEST(Font, EditorTextIsOneBitAndPlacedByAlignment)
{
  auto f = EditorFont();
  Canvas left, centre;
  LICE_Rect r{20, 10, 180, 26};
  f->DrawText(&left.bm, "Current Preset", -1, &r, 0);
  f->DrawText(&centre.bm, "Current Preset", -1, &r, LICE_DT_CENTER);
  for (int y = 0; y < left.bm.getHeight(); ++y)
    for (int x = 0; x < left.bm.getWidth(); ++x) {
      const LICE_pixel p = LICE_Row(&left.bm, y)[x];
      ASSERT_TRUE(p == kGround || p == kWhite) << x << "," << y;
    }
  const LICE_Rect ink = left.Ink(), mid = centre.Ink();
  EXPECT_GE(ink.left, 20);
  EXPECT_LE(ink.left, 22);
  EXPECT_GE(ink.top, 10);
  EXPECT_LE(ink.bottom, 26);
  EXPECT_EQ(mid.right - mid.left, ink.right - ink.left);
  EXPECT_NEAR((mid.left + mid.right) / 2.0, 100.0, 2.0);
  WritePng((std::string(DRAW_TEST_OUTPUT) + "/editor_text.png").c_str(), &centre.bm);
}

TEST(Font, ClippingAndTransparentColours)
{
  auto f = EditorFont();
  Canvas clipped, noclip, faint;
  LICE_Rect small{20, 10, 40, 16};
  f->DrawText(&clipped.bm, "Skarvel", -1, &small, 0);
  const LICE_Rect ink = clipped.Ink();
  EXPECT_TRUE(ink.left >= 20 && ink.right <= 40 && ink.top >= 10 && ink.bottom <= 16);
  f->DrawText(&noclip.bm, "Skarvel", -1, &small, LICE_DT_NOCLIP);
  EXPECT_GT(noclip.Ink().bottom, 16);
  f->SetTextColor(LICE_RGBA(255, 255, 255, 0));
  LICE_Rect r{0, 0, 200, 40};
  EXPECT_EQ(f->DrawText(&faint.bm, "Skarvel", -1, &r, LICE_DT_USEFGALPHA), 0);
  EXPECT_TRUE(faint.Untouched());
  EXPECT_EQ(f->DrawText(nullptr, "Skarvel", -1, &r, 0), 0);
  EXPECT_EQ(f->DrawText(&faint.bm, nullptr, -1, &r, 0), 0);
}

TEST(Font, OpaqueBackgroundAndSettersReturnThePrevious)
{
  auto f = EditorFont();
  EXPECT_EQ(f->SetBkMode(LICE_BKMODE_OPAQUE), LICE_BKMODE_TRANSPARENT);
  EXPECT_EQ(f->SetBkColor(LICE_RGBA(1, 2, 3, 255)), LICE_pixel(-1));
  EXPECT_EQ(f->SetEffectColor(0), LICE_pixel(-1));
  EXPECT_EQ(f->SetTextColor(kWhite), kWhite);
  Canvas c;
  LICE_Rect r{10, 10, 100, 30};
  f->DrawText(&c.bm, "ab", -1, &r, 0);
  EXPECT_EQ(LICE_Row(&c.bm, 10)[10], LICE_RGBA(1, 2, 3, 255));  // the cell behind the glyph is filled
}

TEST(Font, MissingFaceFallsBackAndBadSizesFail)
{
  LICE_FontDesc d;
  d.face = "No Such Face At All";
  LICE_FontHandle fallback = LICE_CreateFont(d);
  EXPECT_NE(fallback, nullptr);
  LICE_DestroyFont(fallback);
  d.height = 0;
  EXPECT_EQ(LICE_CreateFont(d), nullptr);
  LICE_CachedFont none;
  LICE_Rect r{0, 0, 10, 10};
  EXPECT_EQ(none.DrawText(nullptr, "x", 1, &r, LICE_DT_CALCRECT), 0);
}
