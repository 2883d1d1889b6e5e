#pragma once

#include <cstddef>

#include "draw/LICE_IBitmap.h"

// A bitmap in plain heap memory. The buffer only grows (by a quarter more than asked, so a
// bitmap that is resized up a little at a time does not reallocate each time); the pixels
// start at the first 64-byte boundary inside it and rows are padded to 4 pixels.
class LICE_MemBitmap : public LICE_IBitmap
{
public:
  explicit LICE_MemBitmap(int w = 0, int h = 0);
  // With room for at least `capacity` bytes from getBits() on, for a decoder that needs more
  // than the pixels while it fills them.
  LICE_MemBitmap(int w, int h, size_t capacity);
  ~LICE_MemBitmap() override;
  LICE_MemBitmap(const LICE_MemBitmap&) = delete;
  LICE_MemBitmap& operator=(const LICE_MemBitmap&) = delete;

  LICE_pixel* getBits() override;
  int getWidth() override { return width; }
  int getHeight() override { return height; }
  int getRowSpan() override { return (width + rowAlignMask) & ~rowAlignMask; }
  bool resize(int w, int h) override;

  size_t AllocatedBytes() const { return allocated; }

private:
  void Reserve(size_t bytes);
  void Release();

  unsigned char* buffer = nullptr;
  int width = 0;
  int height = 0;
  size_t allocated = 0;
  int rowAlignMask = 3;
};
