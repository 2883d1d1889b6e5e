#include "tools/skarvel/PngWriter.h"

#include <cstring>

#include "draw/LICE_MemBitmap.h"
#include "draw/LICE_PNG.h"

std::string SavePng(const std::string& path, LICE_IBitmap* bitmap, OutputFile::Existing existing)
{
  OutputFile file(path, existing);
  if (!file.IsOpen() || !WritePng(file.WritePath().c_str(), bitmap)) return file.WriteFailure();
  return file.Commit();
}

std::string SavePng(const std::string& path, const uint32_t* pixels, int width, int height, int rowSpan,
                    OutputFile::Existing existing)
{
  LICE_MemBitmap bitmap(width, height);
  if (bitmap.getWidth() != width || bitmap.getHeight() != height) return "cannot write '" + path + "'";
  for (int y = 0; y < height; ++y)
    std::memcpy(LICE_Row(&bitmap, y), pixels + static_cast<size_t>(y) * rowSpan, sizeof(uint32_t) * width);
  return SavePng(path, &bitmap, existing);
}
