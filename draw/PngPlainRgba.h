#pragma once

#include <cstddef>
#include <memory>

#include "draw/LICE_MemBitmap.h"

struct z_stream_s;

// 8-bit RGBA PNGs without interlacing, the format of all the skin art, have a decoder of their
// own that skips libpng's row loop: the image data inflates in one stream straight into the
// bitmap's memory and the rows' filters are undone there in place.

// True when the header describes such an image within the sizes libpng accepts by default
// (a million pixels a side); the rest is left to libpng.
bool IsPlainRgbaPng(const unsigned char* bytes, size_t length);

// Decodes such an image from the top down, as many rows at a time as asked for, into B, G, R,
// A words as libpng does. A fault in the data (a chunk's CRC, the compressed stream, too little
// image data, a bad row filter, an unknown critical chunk) ends the decoding, and the rows not
// decoded by then become transparent black. The bytes must stay valid while rows are asked for.
class PlainRgbaPngDecoder
{
public:
  // Null when the image is not such an image, its header is damaged or its bitmap cannot be made.
  static std::unique_ptr<PlainRgbaPngDecoder> Start(const unsigned char* bytes, size_t length);
  ~PlainRgbaPngDecoder();
  PlainRgbaPngDecoder(const PlainRgbaPngDecoder&) = delete;
  PlainRgbaPngDecoder& operator=(const PlainRgbaPngDecoder&) = delete;

  // Decodes the rows above `rows` (at most the height) that are not decoded yet; false when
  // the data has a fault, found now or before.
  bool DecodeRows(int rows);
  int RowsDecoded() const { return rowsDone; }
  // Rows at and below RowsDecoded() hold no pixels yet.
  LICE_MemBitmap& Bitmap() { return *bitmap; }

private:
  friend LICE_MemBitmap* DecodePlainRgbaPng(const unsigned char* bytes, size_t length);
  PlainRgbaPngDecoder() = default;
  unsigned char* Pixels();
  bool Inflate();        // fills the stream's output; false at a fault
  bool NextImageData();  // the next IDAT chunk's data as the stream's input; false at a fault
  bool Fail();
  void EndStream();

  const unsigned char* bytes = nullptr;
  size_t length = 0;
  size_t pos = 0;  // of the next chunk
  size_t rowBytes = 0, span = 0;
  size_t lead = 0;  // where the filtered rows start, in bytes from the first pixel
  std::unique_ptr<LICE_MemBitmap> bitmap;
  std::unique_ptr<z_stream_s> stream;  // null once every row is decoded or at a fault
  int rowsDone = 0;
  bool inImageData = false;
  bool failed = false;
};

// The whole image at once; null on any fault in the data.
LICE_MemBitmap* DecodePlainRgbaPng(const unsigned char* bytes, size_t length);
