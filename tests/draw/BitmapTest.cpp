#include <gtest/gtest.h>

#include <cstdint>

#include "draw/LICE_MemBitmap.h"
#include "draw/LICE_SysBitmap.h"

TEST(MemBitmap, AlignedStartAndPaddedRows)
{
  LICE_MemBitmap bm(5, 3);
  ASSERT_NE(bm.getBits(), nullptr);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(bm.getBits()) % 64, 0u);
  EXPECT_EQ(bm.getRowSpan(), 8);
  EXPECT_EQ(bm.AllocatedBytes(), 8u * 4 * 3);
  EXPECT_FALSE(bm.isFlipped());
  EXPECT_EQ(bm.getDC(), nullptr);
  EXPECT_EQ(bm.Extended(1, nullptr), 0);
  LICE_Row(&bm, 2)[4] = 0x12345678;  // the last pixel is addressable
  EXPECT_EQ(bm.getBits()[2 * 8 + 4], 0x12345678u);
}

TEST(MemBitmap, GrowsByAQuarterAndNeverShrinks)
{
  LICE_MemBitmap bm(4, 4);
  EXPECT_FALSE(bm.resize(4, 4));
  EXPECT_TRUE(bm.resize(8, 8));
  EXPECT_EQ(bm.AllocatedBytes(), 8u * 4 * 8 * 5 / 4);
  EXPECT_TRUE(bm.resize(2, 2));
  EXPECT_EQ(bm.AllocatedBytes(), 8u * 4 * 8 * 5 / 4);
  EXPECT_EQ(bm.getWidth(), 2);
  EXPECT_EQ(bm.getRowSpan(), 4);
  EXPECT_TRUE(bm.resize(0, 5));
  EXPECT_EQ(bm.getBits(), nullptr);
  EXPECT_EQ(bm.getWidth(), 0);
  EXPECT_EQ(bm.getHeight(), 0);
  EXPECT_EQ(bm.AllocatedBytes(), 0u);
}

TEST(MemBitmap, ImpossibleSizesLeaveAnEmptyBitmap)
{
  LICE_MemBitmap huge(70000, 70000);
  EXPECT_EQ(huge.getBits(), nullptr);
  EXPECT_EQ(huge.getWidth(), 0);
  EXPECT_EQ(huge.getHeight(), 0);
  LICE_MemBitmap negative(-5, -5);
  EXPECT_EQ(negative.getBits(), nullptr);
  EXPECT_EQ(negative.getWidth(), 0);
}

TEST(SysBitmap, ZeroedRowsRoundedAndReusedWhenShrinking)
{
  LICE_SysBitmap bm(10, 6);
  ASSERT_NE(bm.getBits(), nullptr);
  EXPECT_EQ(bm.getRowSpan(), 12);
  EXPECT_EQ(bm.getBits()[12 * 6 - 1], 0u);
  LICE_pixel* first = bm.getBits();
  EXPECT_TRUE(bm.resize(7, 3));  // fits in the existing section
  EXPECT_EQ(bm.getBits(), first);
  EXPECT_EQ(bm.getRowSpan(), 12);
  EXPECT_EQ(bm.getWidth(), 7);
  EXPECT_FALSE(bm.resize(7, 3));
  EXPECT_TRUE(bm.resize(20, 3));
  EXPECT_EQ(bm.getRowSpan(), 20);
  EXPECT_FALSE(bm.resize(0, 3));
  EXPECT_EQ(bm.getBits(), nullptr);
}
