#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "draw/LICE_Line.h"
#include "draw/LICE_MemBitmap.h"

namespace {
constexpr LICE_pixel kInk = LICE_RGBA(255, 255, 255, 255);

struct Canvas
{
  LICE_MemBitmap bm{16, 12};
  Canvas(LICE_pixel c = 0)
  {
    for (int y = 0; y < bm.getHeight(); ++y)
      for (int x = 0; x < bm.getWidth(); ++x) LICE_Row(&bm, y)[x] = c;
  }
  LICE_pixel At(int x, int y) { return LICE_Row(&bm, y)[x]; }
  std::set<std::pair<int, int>> Inked()
  {
    std::set<std::pair<int, int>> s;
    for (int y = 0; y < bm.getHeight(); ++y)
      for (int x = 0; x < bm.getWidth(); ++x)
        if (At(x, y) == kInk) s.insert({x, y});
    return s;
  }
};
}  // namespace

TEST(Line, OutsideTheBitmapDrawsNothing)
{
  Canvas c;
  LICE_Line(&c.bm, -5, -3, -1, 20, kInk, 1.0f, 0, false);
  LICE_Line(&c.bm, 20, 1, 30, 5, kInk, 1.0f, 0, false);
  LICE_Line(&c.bm, -10, 3, 3, -10, kInk, 1.0f, 0, false);  // passes the corner outside
  EXPECT_TRUE(c.Inked().empty());
}

TEST(Line, ReversedHorizontalFillsBothEnds)
{
  Canvas c;
  LICE_Line(&c.bm, 5, 4, 2, 4, kInk, 1.0f, 0, false);
  EXPECT_EQ(c.Inked(), (std::set<std::pair<int, int>>{{2, 4}, {3, 4}, {4, 4}, {5, 4}}));
}

TEST(Line, VerticalAndDiagonal)
{
  Canvas c;
  LICE_Line(&c.bm, 1, 3, 1, 1, kInk, 1.0f, 0, false);
  LICE_Line(&c.bm, 9, 5, 6, 2, kInk, 1.0f, 0, false);
  EXPECT_EQ(c.Inked(),
            (std::set<std::pair<int, int>>{{1, 1}, {1, 2}, {1, 3}, {6, 2}, {7, 3}, {8, 4}, {9, 5}}));
}

TEST(Line, ClippedToTheBitmap)
{
  Canvas c;
  LICE_Line(&c.bm, -20, 5, 40, 5, kInk, 1.0f, 0, false);
  EXPECT_EQ(c.Inked().size(), 16u);
  Canvas d;
  LICE_Line(&d.bm, -4, -2, 20, 10, kInk, 1.0f, 0, false);  // slope 1/2, crosses left and right edges
  const auto inked = d.Inked();
  EXPECT_EQ(inked.size(), 16u);
  EXPECT_TRUE(inked.count({0, 0}));
  EXPECT_TRUE(inked.count({15, 7}) || inked.count({15, 8}));
}

TEST(Line, TwoEndedWalkIsTheSameEitherWay)
{
  Canvas a, b;
  LICE_Line(&a.bm, 1, 2, 11, 6, kInk, 1.0f, 0, false);
  LICE_Line(&b.bm, 11, 6, 1, 2, kInk, 1.0f, 0, false);
  const auto inked = a.Inked();
  EXPECT_EQ(inked, b.Inked());
  EXPECT_EQ(inked.size(), 11u);  // one pixel per column, ends included
  EXPECT_TRUE(inked.count({1, 2}));
  EXPECT_TRUE(inked.count({11, 6}));
  EXPECT_TRUE(inked.count({6, 4}));  // the middle pixel of an even major length
  for (int x = 1; x <= 11; ++x) {
    int column = 0;
    for (const auto& p : inked) column += p.first == x;
    EXPECT_EQ(column, 1) << x;
  }
}

TEST(Line, SteepLinesStepAlongY)
{
  Canvas c;
  LICE_Line(&c.bm, 3, 0, 5, 9, kInk, 1.0f, 0, false);
  const auto inked = c.Inked();
  EXPECT_EQ(inked.size(), 10u);
  EXPECT_TRUE(inked.count({3, 0}));
  EXPECT_TRUE(inked.count({5, 9}));
}

TEST(Line, FixedAlphaShortcuts)
{
  const LICE_pixel ink = LICE_RGBA(200, 100, 40, 255), ground = LICE_RGBA(20, 60, 100, 255);
  const float alphas[] = {0.5f, 0.25f, 0.75f};
  const LICE_pixel expected[] = {
    ((ink >> 1) & 0x7F7F7F7F) + ((ground >> 1) & 0x7F7F7F7F),
    ((ink >> 2) & 0x3F3F3F3F) + ((ground >> 2) & 0x3F3F3F3F) + ((ground >> 1) & 0x7F7F7F7F),
    ((ink >> 1) & 0x7F7F7F7F) + ((ink >> 2) & 0x3F3F3F3F) + ((ground >> 2) & 0x3F3F3F3F),
  };
  for (int i = 0; i < 3; ++i) {
    Canvas c(ground);
    LICE_Line(&c.bm, 0, 0, 3, 0, ink, alphas[i], LICE_BLIT_USE_ALPHA, false);
    EXPECT_EQ(c.At(2, 0), expected[i]) << alphas[i];
    EXPECT_EQ(c.At(4, 0), ground);
  }
  Canvas c(ground);
  LICE_Line(&c.bm, 0, 0, 0, 3, ink, 0.1f, 0, false);  // ia = 25: d = s + (d - s) * 231 / 256
  EXPECT_EQ(c.At(0, 1), LICE_RGBA(200 - 162, 100 - 36, 40 + 54, 255));
}

TEST(Line, AntialiasedStaysInsideAndInksTheEnds)
{
  Canvas c;
  LICE_Line(&c.bm, 0, 0, 15, 11, kInk, 1.0f, 0, true);
  LICE_Line(&c.bm, 15, 0, -30, 40, kInk, 1.0f, 0, true);
  EXPECT_EQ(c.At(0, 0), kInk);
  EXPECT_EQ(c.At(15, 11), kInk);
}
