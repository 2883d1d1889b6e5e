#pragma once

#include <cstddef>

class LICE_IBitmap;
class LICE_MemBitmap;

// Decodes a PNG held in memory into a new bitmap (any colour type or depth becomes 8-bit
// A, R, G, B); null on any failure, with nothing leaked.
LICE_MemBitmap* LoadPngFromMemory(const void* bytes, size_t length);

// The image size from the header (signature and IHDR chunk) alone, without decoding; false
// when the header is not a PNG's or the size is zero or beyond what the decoder accepts.
bool ReadPngSize(const void* bytes, size_t length, int& width, int& height);

// Writes the bitmap as an 8-bit RGBA PNG file; false when the file cannot be written.
bool WritePng(const char* path, LICE_IBitmap* bm);
