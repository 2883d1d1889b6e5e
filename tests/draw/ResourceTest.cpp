#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "draw/LICE_MemBitmap.h"
#include "draw/PngResource.h"
#include "draw/Resources.h"
#include "skarvel/PanelLayout.h"

using namespace PanelLayout;

namespace {
unsigned int BigEndian(const unsigned char* p) { return (p[0] << 24) | (p[1] << 16) | (p[2] << 8) | p[3]; }
}  // namespace

TEST(Resources, EveryLayoutBitmapIsAn8BitRgbaPngOfItsSize)
{
  for (const SkinBitmap& b : kBitmaps) {
    SCOPED_TRACE(b.fileName);
    ResourceData res;
    ASSERT_TRUE(FindPngResource(b.id, res));
    ASSERT_GT(res.size, 33u);
    EXPECT_EQ(BigEndian(res.bytes + 16), unsigned(b.frameWidth));
    EXPECT_EQ(BigEndian(res.bytes + 20), unsigned(b.frameHeight * b.frames));
    EXPECT_EQ(res.bytes[24], 8);  // bit depth
    EXPECT_EQ(res.bytes[25], 6);  // RGBA
    int w = 0, h = 0;
    ASSERT_TRUE(ReadPngResourceSize(b.id, b.fileName, w, h));
    std::unique_ptr<LICE_MemBitmap> bm(LoadPngResource(b.id, b.fileName));
    ASSERT_NE(bm, nullptr);
    EXPECT_EQ(w, bm->getWidth());
    EXPECT_EQ(h, bm->getHeight());
    EXPECT_EQ(bm->getWidth(), b.frameWidth);
    EXPECT_EQ(bm->getHeight(), b.frameHeight * b.frames);
  }
}

TEST(Resources, NameAndIdAreChecked)
{
  std::unique_ptr<LICE_MemBitmap> upper(LoadPngResource(1103, "BACKGROUND.PNG"));
  EXPECT_NE(upper, nullptr);
  EXPECT_EQ(LoadPngResource(1103, "GUI_background_512x480.bmp"), nullptr);
  std::unique_ptr<LICE_MemBitmap> bare(
    LoadPngResource(1103, "png"));  // no dot: the whole name is the extension
  EXPECT_NE(bare, nullptr);
  EXPECT_EQ(LoadPngResource(1103, "background"), nullptr);
  EXPECT_EQ(LoadPngResource(1103, "x.pngs"), nullptr);
  EXPECT_EQ(LoadPngResource(1103, nullptr), nullptr);
  EXPECT_EQ(LoadPngResource(102, "unused.png"), nullptr);
  EXPECT_EQ(LoadPngResource(-1, "x.png"), nullptr);
  int w = 0, h = 0;
  EXPECT_FALSE(ReadPngResourceSize(1103, "background", w, h));
  EXPECT_FALSE(ReadPngResourceSize(-1, "x.png", w, h));
  EXPECT_FALSE(SamePngResource(-1, -1)) << "no resource";
  EXPECT_TRUE(SamePngResource(1103, 1103));
  EXPECT_FALSE(SamePngResource(1103, 1102));
}

TEST(Layout, ControlsLieInsideTheEditor)
{
  for (const Control& c : kControls) {
    const Rect r = ControlRect(c);
    EXPECT_TRUE(r.l >= 0 && r.t >= 0 && r.r <= kWidth && r.b <= kHeight && r.l < r.r && r.t < r.b)
      << r.l << "," << r.t << "," << r.r << "," << r.b;
    if (c.bitmapId) {
      EXPECT_NE(FindBitmap(c.bitmapId), nullptr) << c.bitmapId;
    }
  }
  EXPECT_EQ(kControls[0].bitmapId, 1103);
  EXPECT_EQ(kControlCount, 65);  // with the oversampling switch and its read-out
}

TEST(Layout, TabsAndCentredAboutPage)
{
  Rect tabs{kWidth, kHeight, 0, 0};
  for (const Control& c : kControls) {
    const Rect r = ControlRect(c);
    if (c.kind == Kind::TabButton)
      tabs = {std::min(tabs.l, r.l), std::min(tabs.t, r.t), std::max(tabs.r, r.r), std::max(tabs.b, r.b)};
    if (c.page == Page::About) {
      EXPECT_EQ(r.l, kWidth / 2 - FindBitmap(c.bitmapId)->frameWidth / 2) << c.bitmapId;
    }
  }
  EXPECT_EQ(tabs.l, 176);
  EXPECT_EQ(tabs.t, 445);
  EXPECT_EQ(tabs.r, 336);
  EXPECT_EQ(tabs.b, 470);
}

// The art's printed labels must not run into the bitmaps of other controls.
TEST(Layout, BitmapControlsDoNotOverlapExceptTheDisplaysTheyFrame)
{
  auto overlap = [](const Rect& a, const Rect& b) {
    return a.l < b.r && b.l < a.r && a.t < b.b && b.t < a.b;
  };
  const int framed[] = {201, 202, 1102, 1103,
                        121};  // displays, backgrounds and the slider track lie under others
  for (int i = 0; i < kControlCount; ++i)
    for (int j = i + 1; j < kControlCount; ++j) {
      const Control &a = kControls[i], &b = kControls[j];
      if (!a.bitmapId || !b.bitmapId || a.page == Page::About || b.page == Page::About) continue;
      bool under = false;
      for (int id : framed) under = under || a.bitmapId == id || b.bitmapId == id;
      if (!under) {
        EXPECT_FALSE(overlap(ControlRect(a), ControlRect(b))) << a.bitmapId << " / " << b.bitmapId;
      }
    }
}
