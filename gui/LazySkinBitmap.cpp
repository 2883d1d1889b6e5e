#include "gui/LazySkinBitmap.h"

#include "draw/LICE_MemBitmap.h"
#include "draw/PngPlainRgba.h"
#include "draw/PngResource.h"

LICE_IBitmap* LazySkinBitmap::Decode(int resourceId, const char* fileName, int rows)
{
  std::unique_ptr<PlainRgbaPngDecoder> decoder = StartPngResource(resourceId, fileName);
  if (!decoder) return LoadPngResource(resourceId, fileName);
  if (!decoder->DecodeRows(rows)) return nullptr;
  return new LazySkinBitmap(std::move(decoder));
}

void LazySkinBitmap::EnsureRows(LICE_IBitmap* bitmap, int rows)
{
  if (LazySkinBitmap* lazy = dynamic_cast<LazySkinBitmap*>(bitmap)) {
    std::lock_guard<std::mutex> g(lazy->lock);
    lazy->decoder->DecodeRows(rows);  // a fault leaves the rest transparent
  }
}

int LazySkinBitmap::RowsDecoded(LICE_IBitmap* bitmap)
{
  LazySkinBitmap* lazy = dynamic_cast<LazySkinBitmap*>(bitmap);
  if (!lazy) return bitmap ? bitmap->getHeight() : 0;
  std::lock_guard<std::mutex> g(lazy->lock);
  return lazy->decoder->RowsDecoded();
}

LazySkinBitmap::LazySkinBitmap(std::unique_ptr<PlainRgbaPngDecoder> d) : decoder(std::move(d)) {}

LazySkinBitmap::~LazySkinBitmap() = default;

LICE_pixel* LazySkinBitmap::getBits() { return decoder->Bitmap().getBits(); }
int LazySkinBitmap::getWidth() { return decoder->Bitmap().getWidth(); }
int LazySkinBitmap::getHeight() { return decoder->Bitmap().getHeight(); }
int LazySkinBitmap::getRowSpan() { return decoder->Bitmap().getRowSpan(); }
