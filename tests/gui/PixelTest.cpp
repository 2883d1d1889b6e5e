// What the surface draws: filmstrip frames, clipping to the repaint area, hidden controls,
// the curves and the read-out text.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "draw/LICE_Blit.h"
#include "draw/LICE_MemBitmap.h"
#include "draw/PngResource.h"
#include "gui/BitmapCache.h"
#include "gui/LazySkinBitmap.h"
#include "skarvel/IKwCurve.h"
#include "gui/ITextControl.h"
#include "tests/gui/EditorFixture.h"
#include "tests/gui/SurfaceFixture.h"

namespace {

using Pixels = std::vector<LICE_pixel>;

Pixels Region(LICE_IBitmap* bm, const EditorRect& r)
{
  Pixels p;
  for (int y = r.T; y < r.B; ++y)
    for (int x = r.L; x < r.R; ++x) p.push_back(LICE_Row(bm, y)[x]);
  return p;
}

LICE_pixel At(LICE_IBitmap* bm, int x, int y) { return LICE_Row(bm, y)[x]; }

class EditorPixels : public EditorTest
{
protected:
  const EditorRect full{0, 0, 512, 480};
  LICE_IBitmap* Drawn() { return Gui().GetDrawBitmap(); }

  // The two backgrounds under r, composed as the surface composes them, and with frame k of
  // the 40-pixel knob strip 105 over them when k > 0.
  Pixels Composed(const EditorRect& r, int k = 0)
  {
    LICE_MemBitmap out(512, 480);
    const int withAlpha = LICE_BLIT_MODE_COPY | LICE_BLIT_USE_ALPHA;
    LICE_Blit(&out, BitmapCache::Instance().Find(1103), 0, 0, nullptr, 1.0f, LICE_BLIT_MODE_COPY);
    LICE_Blit(&out, BitmapCache::Instance().Find(1102), 16, 65, nullptr, 1.0f, withAlpha);
    const LICE_Rect frame{0, 40 * (k - 1), 40, 40 * k};
    LICE_IBitmap* strip = BitmapCache::Instance().Find(105);
    LazySkinBitmap::EnsureRows(strip, frame.bottom);
    if (k > 0) LICE_Blit(&out, strip, r.L, r.T, &frame, 1.0f, withAlpha);
    return Region(&out, r);
  }
};

// Building the editor reads only the sizes from the art's headers (hosts create instances to
// scan them); the first repaint decodes what it draws, on several threads at once, into the
// same pixels a decode of one bitmap alone gives, once for ids whose resources are the same
// bytes; a filmstrip down to the frame shown, the rest when a later frame is drawn; the hidden
// about page's art waits until it is shown. Under ctest every case runs in a process of its own, where nothing has been drawn
// before.
TEST_F(EditorPixels, TheArtIsDecodedWhenFirstDrawn)
{
  if (BitmapCache::Instance().Find(1103)) GTEST_SKIP() << "an earlier case in this process drew";
  for (const PanelLayout::SkinBitmap& b : PanelLayout::kBitmaps)
    EXPECT_EQ(BitmapCache::Instance().Find(b.id), nullptr) << b.fileName;
  IControl& knob = Bound(kFilterCutoff);
  const EditorRect r = knob.GetRECT();
  EXPECT_EQ(r, EditorRect(103, 122, 143, 162)) << "the strip's size comes from its header";
  Gui().UpdateControlsFromPlug(kFilterCutoff, 0.0, true);
  Gui().DrawArea(full);
  LICE_IBitmap* strip = BitmapCache::Instance().Find(105);
  ASSERT_NE(strip, nullptr);
  EXPECT_GE(LazySkinBitmap::RowsDecoded(strip), 40);
  EXPECT_LT(LazySkinBitmap::RowsDecoded(strip), strip->getHeight());
  Gui().UpdateControlsFromPlug(kFilterCutoff, 1.0, true);
  Gui().DrawArea(r);
  EXPECT_EQ(LazySkinBitmap::RowsDecoded(strip), strip->getHeight());
  EXPECT_EQ(Region(Drawn(), r), Composed(r, 128));

  std::vector<int> aboutArt;
  for (int i : fx->EditorControls().aboutPage)
    if (const SkinBitmap* b = Control(i).DrawnBitmap()) aboutArt.push_back(b->resourceId);
  EXPECT_FALSE(aboutArt.empty());
  for (const PanelLayout::SkinBitmap& b : PanelLayout::kBitmaps) {
    LICE_IBitmap* cached = BitmapCache::Instance().Find(b.id);
    if (std::count(aboutArt.begin(), aboutArt.end(), b.id)) {
      EXPECT_EQ(cached, nullptr) << b.fileName;
      continue;
    }
    ASSERT_NE(cached, nullptr) << b.fileName;
    LazySkinBitmap::EnsureRows(cached, cached->getHeight());
    std::unique_ptr<LICE_MemBitmap> alone(LoadPngResource(b.id, b.fileName));
    ASSERT_TRUE(alone) << b.fileName;
    const EditorRect all{0, 0, alone->getWidth(), alone->getHeight()};
    EXPECT_EQ(cached->getWidth(), all.R) << b.fileName;
    EXPECT_EQ(cached->getHeight(), all.B) << b.fileName;
    EXPECT_TRUE(Region(cached, all) == Region(alone.get(), all)) << b.fileName;
  }
  int shared = 0;
  for (const PanelLayout::SkinBitmap& a : PanelLayout::kBitmaps)
    for (const PanelLayout::SkinBitmap& b : PanelLayout::kBitmaps) {
      LICE_IBitmap* first = BitmapCache::Instance().Find(a.id);
      LICE_IBitmap* second = BitmapCache::Instance().Find(b.id);
      if (a.id >= b.id || !first || !second) continue;
      const bool same = SamePngResource(a.id, b.id);
      shared += same;
      EXPECT_EQ(first == second, same) << a.fileName << ", " << b.fileName;
    }
  EXPECT_GT(shared, 0) << "the art repeats strips under several ids";
}

TEST_F(EditorPixels, AKnobShowsTheFrameOfItsValue)
{
  IControl& knob = Bound(kFilterCutoff);
  const EditorRect r = knob.GetRECT();
  ASSERT_EQ(r, EditorRect(103, 122, 143, 162));
  const struct
  {
    double value;
    int frame;
  } cases[] = {{0.0, 1}, {0.5, 65}, {1.0, 128}};
  for (const auto& c : cases) {
    Gui().UpdateControlsFromPlug(kFilterCutoff, c.value, true);
    Gui().DrawArea(r);
    const Pixels expected = Composed(r, c.frame);
    EXPECT_EQ(Region(Drawn(), r), expected) << c.value;
    EXPECT_NE(expected, Composed(r, c.frame == 1 ? 2 : c.frame - 1)) << "neighbouring frames differ";
  }
}

TEST_F(EditorPixels, AHiddenControlIsNotPainted)
{
  IControl& knob = Bound(kFilterCutoff);
  Gui().DrawArea(full);
  knob.SetHidden(true);
  Gui().DrawArea(knob.GetRECT());
  EXPECT_EQ(Region(Drawn(), knob.GetRECT()), Composed(knob.GetRECT()));
}

TEST_F(EditorPixels, ARepaintTouchesOnlyTheDirtyArea)
{
  EditorRect r;
  while (Gui().CollectDirtyArea(r)) Gui().DrawArea(r), r = EditorRect();
  constexpr LICE_pixel kMarker = 0x12345678;
  LICE_IBitmap* bm = Drawn();
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 512; ++x) LICE_Row(bm, y)[x] = kMarker;

  Gui().UpdateControlsFromPlug(kFilterCutoff, 0.3, true);
  r = EditorRect();
  ASSERT_TRUE(Gui().CollectDirtyArea(r));
  const EditorRect knob = Bound(kFilterCutoff).GetRECT();
  ASSERT_EQ(r, knob);
  Gui().DrawArea(r);
  int outsideChanged = 0, insideKept = 0;
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 512; ++x) {
      const bool changed = At(bm, x, y) != kMarker;
      if (knob.Contains(x, y))
        insideKept += !changed;
      else
        outsideChanged += changed;
    }
  EXPECT_EQ(outsideChanged, 0);
  EXPECT_EQ(insideKept, 0);
}

class CurvePixels : public ::testing::Test
{
protected:
  CurvePixels()
  {
    plug.AttachEditor(&g);
    g.AttachBackground(Skin(black.get(), 1));
  }
  ~CurvePixels() override { plug.AttachEditor(nullptr); }
  LICE_pixel Grey(int level) { return LICE_RGBA(level, level, level, 255); }
  void Paint() { g.DrawArea({0, 0, 120, 80}); }

  RecordingPlug plug;
  ScriptedSurface g{&plug, 120, 80, 25};
  std::unique_ptr<LICE_MemBitmap> black = MakeStrip(120, 80, 1, 0xFF000000);
  double points[98] = {};
};

TEST_F(CurvePixels, TheColouredCurveIsGreyAtItsEndsAndWhiteInTheMiddle)
{
  // 98 x 73: one pixel per point, the zero line 36 pixels down.
  g.AttachControl(new IKwCurve(&plug, {10, 5, 108, 78}, true, points, 98));
  Paint();
  LICE_IBitmap* bm = g.GetDrawBitmap();
  EXPECT_EQ(At(bm, 10, 41), Grey(100));
  EXPECT_EQ(At(bm, 11, 41), Grey(104));
  EXPECT_EQ(At(bm, 59, 41), Grey(254));
  EXPECT_EQ(At(bm, 107, 41), Grey(109));
  EXPECT_EQ(At(bm, 108, 41), Grey(0)) << "98 points end one short of the right edge";
  EXPECT_EQ(At(bm, 59, 40), Grey(0));
}

TEST_F(CurvePixels, PointsAreClippedToTheDisplay)
{
  points[20] = 5.0;
  points[30] = -5.0;
  points[40] = std::nan("");
  g.AttachControl(new IKwCurve(&plug, {10, 5, 108, 78}, false, points, 98));
  Paint();
  LICE_IBitmap* bm = g.GetDrawBitmap();
  EXPECT_EQ(At(bm, 30, 5), Grey(255)) << "the top row";
  EXPECT_EQ(At(bm, 30, 4), Grey(0));
  EXPECT_EQ(At(bm, 40, 77), Grey(255)) << "the bottom row";
  EXPECT_EQ(At(bm, 50, 77), Grey(255)) << "an unreadable point draws at the bottom";
  EXPECT_EQ(At(bm, 59, 41), Grey(255)) << "the white curve is white throughout";
}

TEST_F(CurvePixels, TextIsDrawnInTheStyleColourWithoutAntiAliasing)
{
  const TextStyle cyan("Arial", 13, kColourLightCyan, TextStyle::kStyleNormal, TextStyle::kAlignLeft, 0,
                       TextStyle::kQualityNonAntiAliased);
  const EditorRect box(10, 10, 110, 26);
  g.AttachControl(new ITextControl(&plug, box, cyan, "Max. level"));
  Paint();
  int lit = 0, stray = 0;
  LICE_IBitmap* bm = g.GetDrawBitmap();
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 120; ++x) {
      const LICE_pixel p = At(bm, x, y);
      if (p == Grey(0)) continue;
      if (p == kColourLightCyan.Pack() && box.Contains(x, y))
        ++lit;
      else
        ++stray;
    }
  EXPECT_GT(lit, 40);
  EXPECT_EQ(stray, 0);
}

}  // namespace
