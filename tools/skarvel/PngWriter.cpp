#include "tools/skarvel/PngWriter.h"

#include <png.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

#include "tools/skarvel/OutputFile.h"

// Writes the image; libpng reports errors by longjmp, so nothing here lives across the jump.
static bool Encode(png_structp png, png_infop info, FILE* f, const uint32_t* pixels, int width,
                   int height, int rowSpan, unsigned char* row)
{
  if (setjmp(png_jmpbuf(png))) return false;
  png_init_io(png, f);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y) {
    const uint32_t* src = pixels + static_cast<size_t>(y) * static_cast<size_t>(rowSpan);
    for (int x = 0; x < width; ++x) {
      const uint32_t p = src[x];
      row[x * 4 + 0] = static_cast<unsigned char>(p >> 16);
      row[x * 4 + 1] = static_cast<unsigned char>(p >> 8);
      row[x * 4 + 2] = static_cast<unsigned char>(p);
      row[x * 4 + 3] = static_cast<unsigned char>(p >> 24);
    }
    png_write_row(png, row);
  }
  png_write_end(png, nullptr);
  return true;
}

std::string WritePng(const std::string& path, const uint32_t* pixels, int width, int height,
                     int rowSpan)
{
  OutputFile file(path);
  const int fd = file.IsOpen() ? dup(file.Descriptor()) : -1;
  FILE* f = fd >= 0 ? fdopen(fd, "wb") : nullptr;
  if (!f) {
    if (fd >= 0) close(fd);
    return "cannot write '" + path + "'";
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  std::vector<unsigned char> row(static_cast<size_t>(width) * 4);
  bool ok = png && info && Encode(png, info, f, pixels, width, height, rowSpan, row.data());
  png_destroy_write_struct(png ? &png : nullptr, info ? &info : nullptr);
  ok = std::fclose(f) == 0 && ok;
  if (!ok || !file.Commit()) return "cannot write '" + path + "'";
  return "";
}
