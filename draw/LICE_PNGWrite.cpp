#include <png.h>

#include <cstdio>
#include <cstdlib>

#include "draw/LICE_IBitmap.h"
#include "draw/LICE_PNG.h"

namespace {
void OnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnWarning(png_structp, png_const_charp) {}

void PixelsToRgba(LICE_IBitmap* bm, int y, unsigned char* out)
{
  const LICE_pixel* row = LICE_Row(bm, y);
  for (int x = 0; x < bm->getWidth(); ++x, out += 4) {
    out[0] = LICE_GETR(row[x]);
    out[1] = LICE_GETG(row[x]);
    out[2] = LICE_GETB(row[x]);
    out[3] = LICE_GETA(row[x]);
  }
}

// Inside the error jump's scope; owns nothing.
void Encode(png_structp png, png_infop info, LICE_IBitmap* bm, unsigned char* rowBuf)
{
  png_set_IHDR(png, info, png_uint_32(bm->getWidth()), png_uint_32(bm->getHeight()), 8, PNG_COLOR_TYPE_RGBA,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < bm->getHeight(); ++y) {
    PixelsToRgba(bm, y, rowBuf);
    png_write_row(png, rowBuf);
  }
  png_write_end(png, info);
}
}  // namespace

bool WritePng(const char* path, LICE_IBitmap* bm)
{
  if (!path || !bm || !bm->getBits() || bm->getWidth() < 1 || bm->getHeight() < 1) return false;
  FILE* f = std::fopen(path, "wb");
  if (!f) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  unsigned char* rowBuf = static_cast<unsigned char*>(std::malloc(size_t(bm->getWidth()) * 4));
  volatile bool ok = false;
  if (png && info && rowBuf) {
    if (!setjmp(png_jmpbuf(png))) {
      png_init_io(png, f);
      png_set_compression_level(png, 9);
      Encode(png, info, bm, rowBuf);
      ok = true;
    }
  }
  png_destroy_write_struct(png ? &png : nullptr, info ? &info : nullptr);
  std::free(rowBuf);
  ok = (std::fclose(f) == 0) && ok;
  return ok;
}
