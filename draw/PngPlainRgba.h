#pragma once

#include <cstddef>

class LICE_MemBitmap;

// 8-bit RGBA PNGs without interlacing, the format of all the skin art, have a decoder of their
// own that skips libpng's row loop: the image data inflates in one stream straight into the
// bitmap's memory and the rows' filters are undone there in place.

// True when the header describes such an image within the sizes libpng accepts by default
// (a million pixels a side); the rest is left to libpng.
bool IsPlainRgbaPng(const unsigned char* bytes, size_t length);

// Decodes such an image into B, G, R, A words as libpng does; null on any fault in the data
// (a chunk's CRC, the compressed stream, too little image data, a bad row filter, an unknown
// critical chunk).
LICE_MemBitmap* DecodePlainRgbaPng(const unsigned char* bytes, size_t length);
