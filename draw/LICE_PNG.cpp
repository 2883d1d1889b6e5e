#include "draw/LICE_PNG.h"

#include <png.h>

#include <cstdlib>
#include <cstring>
#include <new>

#include "draw/LICE_MemBitmap.h"
#include "draw/PngPlainRgba.h"

namespace {
// Lives on the heap so that it survives libpng's error jump intact.
struct PngRead
{
  const unsigned char* data;
  size_t size;
  size_t pos;
  LICE_MemBitmap* bitmap;
  png_bytep* rows;
};

// A request past the end is an error: read on as zeros, a chunk length from a corrupt file
// (up to 2 GiB) would be skipped byte for byte, seconds of work for nothing.
void ReadFromMemory(png_structp png, png_bytep out, png_size_t want)
{
  PngRead* r = static_cast<PngRead*>(png_get_io_ptr(png));
  std::memset(out, 0, want);
  const size_t n = want < r->size - r->pos ? want : r->size - r->pos;
  std::memcpy(out, r->data + r->pos, n);
  r->pos += n;
  if (n < want) png_error(png, "read past the end of the data");
}

// libpng's own buffers: rows and chunk data, never more than the data's length and a row of
// the widest image it accepts. A corrupt chunk length (up to 2 GiB) would otherwise be
// allocated before the data runs out; refused, it ends the decoding as an error.
constexpr size_t kLargestLibpngBuffer = 64u << 20;

png_voidp BoundedMalloc(png_structp png, png_alloc_size_t size)
{
  const PngRead* r = static_cast<const PngRead*>(png_get_mem_ptr(png));
  return size <= kLargestLibpngBuffer + (r ? r->size : 0) ? std::malloc(size) : nullptr;
}

void Free(png_structp, png_voidp p) { std::free(p); }

// Errors jump back to the loader without printing; warnings are dropped.
void OnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnWarning(png_structp, png_const_charp) {}

// Every row arrives as B, G, R, A bytes whatever the stored format: the pixel words' own
// memory order, so libpng writes the bitmap's rows as they stay.
void RequestPixelWords(png_structp png, png_infop info)
{
  png_uint_32 w, h;
  int depth, colour, interlace, compression, filter;
  png_get_IHDR(png, info, &w, &h, &depth, &colour, &interlace, &compression, &filter);
  bool alpha = (colour & PNG_COLOR_MASK_ALPHA) != 0;
  if (colour == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colour == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (png_get_valid(png, info, PNG_INFO_tRNS)) {
    png_set_tRNS_to_alpha(png);
    alpha = true;
  }
  if (depth == 16) png_set_strip_16(png);
  if (depth < 8) png_set_packing(png);
  if (colour == PNG_COLOR_TYPE_GRAY || colour == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
  png_set_bgr(png);
  if (!alpha) png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
}

// Runs inside the error jump's scope: everything it allocates is recorded in r.
bool Decode(png_structp png, png_infop info, PngRead* r)
{
  png_read_info(png, info);
  RequestPixelWords(png, info);
  const png_uint_32 w = png_get_image_width(png, info);
  const png_uint_32 h = png_get_image_height(png, info);
  if (png_get_rowbytes(png, info) != size_t(w) * 4 || w > 0x7FFFFFFF || h > 0x7FFFFFFF) return false;
  r->bitmap = new (std::nothrow) LICE_MemBitmap(int(w), int(h));
  if (!r->bitmap || r->bitmap->getWidth() != int(w) || r->bitmap->getHeight() != int(h)) return false;
  r->rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * h));
  if (!r->rows) return false;
  for (png_uint_32 i = 0; i < h; ++i)
    r->rows[i] = reinterpret_cast<png_bytep>(r->bitmap->getBits() + size_t(i) * r->bitmap->getRowSpan());
  png_read_image(png, r->rows);
  return true;
}
}  // namespace

bool ReadPngSize(const void* bytes, size_t length, int& width, int& height)
{
  // Signature (8), IHDR length (4) and type (4), then width and height, big-endian.
  const png_const_bytep b = static_cast<png_const_bytep>(bytes);
  if (!b || length < 24 || png_sig_cmp(b, 0, 8) || std::memcmp(b + 12, "IHDR", 4) != 0) return false;
  const png_uint_32 w = png_get_uint_32(b + 16);
  const png_uint_32 h = png_get_uint_32(b + 20);
  if (w == 0 || h == 0 || w > 0x7FFFFFFF || h > 0x7FFFFFFF) return false;
  width = int(w);
  height = int(h);
  return true;
}

LICE_MemBitmap* LoadPngFromMemory(const void* bytes, size_t length)
{
  if (!bytes || length < 8 || png_sig_cmp(static_cast<png_const_bytep>(bytes), 0, 8)) return nullptr;
  const unsigned char* b = static_cast<const unsigned char*>(bytes);
  if (IsPlainRgbaPng(b, length)) return DecodePlainRgbaPng(b, length);
  PngRead* r =
    new (std::nothrow) PngRead{static_cast<const unsigned char*>(bytes), length, 0, nullptr, nullptr};
  if (!r) return nullptr;
  png_structp png =
    png_create_read_struct_2(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning, r, BoundedMalloc, Free);
  if (!png) {
    delete r;
    return nullptr;
  }
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    delete r;
    return nullptr;
  }
  png_set_read_fn(png, r, ReadFromMemory);
#ifdef PNG_IGNORE_ADLER32
  // Every chunk's CRC is still checked, and covers the same bytes; the zlib stream's own
  // checksum on top of it costs a tenth of the decoding time.
  png_set_option(png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
#endif
  volatile bool ok = false;
  if (!setjmp(png_jmpbuf(png))) ok = Decode(png, info, r);
  png_destroy_read_struct(&png, &info, nullptr);
  LICE_MemBitmap* bm = r->bitmap;
  std::free(r->rows);
  delete r;
  if (!ok) {
    delete bm;
    return nullptr;
  }
  return bm;
}
