#include <gtest/gtest.h>

#include <cmath>

#include "draw/LICE_Blit.h"
#include "draw/LICE_MemBitmap.h"

namespace {
void Fill(LICE_IBitmap& bm, LICE_pixel c)
{
  for (int y = 0; y < bm.getHeight(); ++y)
    for (int x = 0; x < bm.getWidth(); ++x) LICE_Row(&bm, y)[x] = c;
}

LICE_pixel At(LICE_IBitmap& bm, int x, int y) { return LICE_Row(&bm, y)[x]; }

// Source pixels numbered by position so a copy shows where each came from.
void Number(LICE_IBitmap& bm)
{
  for (int y = 0; y < bm.getHeight(); ++y)
    for (int x = 0; x < bm.getWidth(); ++x) LICE_Row(&bm, y)[x] = LICE_RGBA(x, y, 7, 255);
}
}  // namespace

TEST(BlitSourceAlpha, HalfTransparentOverOpaqueBlack)
{
  LICE_MemBitmap dst(1, 1), src(1, 1);
  Fill(dst, LICE_RGBA(0, 0, 0, 255));
  Fill(src, LICE_RGBA(200, 0, 0, 128));
  LICE_Blit(&dst, &src, 0, 0, nullptr, 1.0f, LICE_BLIT_MODE_COPY | LICE_BLIT_USE_ALPHA);
  EXPECT_EQ(LICE_GETR(At(dst, 0, 0)), 101);  // 200 + (0 - 200) * 127 / 256
  EXPECT_EQ(LICE_GETA(At(dst, 0, 0)), 255);
}

TEST(BlitSourceAlpha, TransparentLeavesOpaqueCopies)
{
  LICE_MemBitmap dst(2, 1), src(2, 1);
  Fill(dst, LICE_RGBA(10, 20, 30, 40));
  LICE_Row(&src, 0)[0] = LICE_RGBA(200, 100, 50, 0);
  LICE_Row(&src, 0)[1] = LICE_RGBA(200, 100, 50, 255);
  LICE_Blit(&dst, &src, 0, 0, nullptr, 1.0f, LICE_BLIT_USE_ALPHA);
  EXPECT_EQ(At(dst, 0, 0), LICE_RGBA(10, 20, 30, 40));
  EXPECT_EQ(At(dst, 1, 0), LICE_RGBA(200, 100, 50, 255));
}

TEST(BlitSourceAlpha, WeightedBelowFullAlpha)
{
  LICE_MemBitmap dst(1, 1), src(1, 1);
  Fill(dst, LICE_RGBA(0, 0, 0, 100));
  Fill(src, LICE_RGBA(200, 0, 0, 255));
  LICE_Blit(&dst, &src, 0, 0, nullptr, 0.5f, LICE_BLIT_USE_ALPHA);
  // k = 128 * 256 / 256 = 128; R = 200 + (0 - 200) * 128 / 256; A = 100 + 128
  EXPECT_EQ(At(dst, 0, 0), LICE_RGBA(100, 0, 0, 228));
}

TEST(BlitModes, PlainCopyHalfAndWeighted)
{
  LICE_MemBitmap dst(1, 1), src(1, 1);
  Fill(dst, LICE_RGBA(100, 0, 255, 255));
  Fill(src, LICE_RGBA(201, 50, 0, 0));
  LICE_Blit(&dst, &src, 0, 0, nullptr, 0.5f, LICE_BLIT_MODE_COPY);
  EXPECT_EQ(At(dst, 0, 0), LICE_RGBA(100 + 50, 25, 127, 127));
  Fill(dst, LICE_RGBA(0, 0, 0, 0));
  LICE_Blit(&dst, &src, 0, 0, nullptr, 0.25f, LICE_BLIT_MODE_COPY);
  // ia = 64: d = s + (d - s) * 192 / 256, source alpha ignored
  EXPECT_EQ(At(dst, 0, 0), LICE_RGBA(201 - 150, 50 - 37, 0, 0));
}

TEST(BlitModes, AddAndDodgeHonourSourceAlpha)
{
  LICE_MemBitmap dst(1, 1), src(1, 1);
  Fill(dst, LICE_RGBA(200, 10, 0, 100));
  Fill(src, LICE_RGBA(100, 100, 0, 255));
  LICE_Blit(&dst, &src, 0, 0, nullptr, 1.0f, LICE_BLIT_MODE_ADD | LICE_BLIT_USE_ALPHA);
  // k = 256: R clamps, G = 10 + 100, A = 100 + 255 clamps
  EXPECT_EQ(At(dst, 0, 0), LICE_RGBA(255, 110, 0, 255));

  Fill(dst, LICE_RGBA(64, 64, 64, 64));
  Fill(src, LICE_RGBA(128, 0, 255, 127));
  LICE_Blit(&dst, &src, 0, 0, nullptr, 1.0f, LICE_BLIT_MODE_DODGE | LICE_BLIT_USE_ALPHA);
  // k = 128; R: t = 64 -> 64 * 256 / 192; G: t = 0 -> unchanged; B: t = 127 -> 64 * 256 / 129;
  // A: t = 127 * 128 / 256 = 63 -> 64 * 256 / 193
  EXPECT_EQ(At(dst, 0, 0), LICE_RGBA(85, 64, 127, 84));
}

TEST(BlitModes, ChannelCopyMovesOneByte)
{
  LICE_MemBitmap dst(1, 1), src(1, 1);
  Fill(dst, LICE_RGBA(1, 2, 3, 4));
  Fill(src, LICE_RGBA(90, 80, 70, 0));
  LICE_Blit(&dst, &src, 0, 0, nullptr, 0.3f, LICE_ChannelCopyMode(2, 3));  // source R into destination A
  EXPECT_EQ(At(dst, 0, 0), LICE_RGBA(1, 2, 3, 90));
}

TEST(BlitClipping, SourceRectangleIsCutToTheSource)
{
  LICE_MemBitmap dst(10, 4), src(3, 2);
  Fill(dst, 0);
  Number(src);
  const LICE_Rect wide{1, 0, 50, 2};
  LICE_Blit(&dst, &src, 4, 1, &wide, 1.0f, LICE_BLIT_MODE_COPY);
  EXPECT_EQ(At(dst, 4, 1), LICE_RGBA(1, 0, 7, 255));
  EXPECT_EQ(At(dst, 5, 2), LICE_RGBA(2, 1, 7, 255));
  EXPECT_EQ(At(dst, 6, 1), 0u);
  EXPECT_EQ(At(dst, 3, 1), 0u);
}

TEST(BlitClipping, NegativeDestinationMovesTheSourceStart)
{
  LICE_MemBitmap dst(4, 4), src(4, 4);
  Fill(dst, 0);
  Number(src);
  LICE_Blit(&dst, &src, -2, -1, nullptr, 1.0f, LICE_BLIT_MODE_COPY);
  EXPECT_EQ(At(dst, 0, 0), LICE_RGBA(2, 1, 7, 255));
  EXPECT_EQ(At(dst, 1, 2), LICE_RGBA(3, 3, 7, 255));
  EXPECT_EQ(At(dst, 2, 0), 0u);
  EXPECT_EQ(At(dst, 0, 3), 0u);
}

TEST(BlitClipping, NegativeSourceOriginMovesTheDestination)
{
  LICE_MemBitmap dst(4, 4), src(4, 4);
  Fill(dst, 0);
  Number(src);
  const LICE_Rect r{-1, -2, 2, 2};
  LICE_Blit(&dst, &src, 0, 0, &r, 1.0f, LICE_BLIT_MODE_COPY);
  EXPECT_EQ(At(dst, 0, 0), 0u);
  EXPECT_EQ(At(dst, 1, 2), LICE_RGBA(0, 0, 7, 255));
  EXPECT_EQ(At(dst, 2, 3), LICE_RGBA(1, 1, 7, 255));
  EXPECT_EQ(At(dst, 3, 3), 0u);
}

TEST(BlitClipping, NothingForMissingBitmapsZeroAlphaOrEmptyArea)
{
  LICE_MemBitmap dst(2, 2), src(2, 2), empty(0, 0);
  Fill(dst, 5);
  Fill(src, 9);
  LICE_Blit(&dst, nullptr, 0, 0, nullptr, 1.0f, 0);
  LICE_Blit(nullptr, &src, 0, 0, nullptr, 1.0f, 0);
  LICE_Blit(&dst, &empty, 0, 0, nullptr, 1.0f, 0);
  LICE_Blit(&empty, &src, 0, 0, nullptr, 1.0f, 0);
  LICE_Blit(&dst, &src, 0, 0, nullptr, 0.0f, 0);
  LICE_Blit(&dst, &src, 0, 0, nullptr, std::nanf(""), LICE_BLIT_USE_ALPHA);
  LICE_Blit(&dst, &src, 2, 0, nullptr, 1.0f, 0);
  LICE_Blit(&dst, &src, -2147483647, -2147483647, nullptr, 1.0f, 0);
  const LICE_Rect inverted{2, 2, 0, 0};
  LICE_Blit(&dst, &src, 0, 0, &inverted, 1.0f, 0);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) EXPECT_EQ(At(dst, x, y), 5u);
}
