#pragma once

#include <memory>
#include <mutex>

#include "draw/LICE_IBitmap.h"

class PlainRgbaPngDecoder;

// A skin bitmap whose rows are decoded from the top down only as far as drawing has needed
// them: a filmstrip's first paint shows one of its frames. Any thread may use it: EnsureRows
// decodes under the bitmap's own lock, and rows it has returned for are never written again.
class LazySkinBitmap : public LICE_IBitmap
{
public:
  // The resource's image with at least the rows above `rows` decoded: a LazySkinBitmap where
  // the image is plain 8-bit RGBA, else the whole image; null when it cannot be decoded.
  static LICE_IBitmap* Decode(int resourceId, const char* fileName, int rows);
  // Makes the rows above `rows` of any bitmap hold their pixels.
  static void EnsureRows(LICE_IBitmap* bitmap, int rows);
  // How many rows from the top hold their pixels: all of them but in a LazySkinBitmap.
  static int RowsDecoded(LICE_IBitmap* bitmap);

  explicit LazySkinBitmap(std::unique_ptr<PlainRgbaPngDecoder> decoder);
  ~LazySkinBitmap() override;

  LICE_pixel* getBits() override;
  int getWidth() override;
  int getHeight() override;
  int getRowSpan() override;
  bool resize(int, int) override { return false; }  // the image's size

private:
  std::mutex lock;
  const std::unique_ptr<PlainRgbaPngDecoder> decoder;
};
