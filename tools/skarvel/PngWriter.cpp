#include "tools/skarvel/PngWriter.h"

#include <cstring>

#include "draw/LICE_MemBitmap.h"
#include "draw/LICE_PNG.h"
#include "tools/skarvel/OutputFile.h"

std::string SavePng(const std::string& path, LICE_IBitmap* bitmap)
{
  OutputFile file(path);
  if (!file.IsOpen() || !WritePng(file.WritePath().c_str(), bitmap) || !file.Commit())
    return "cannot write '" + path + "'";
  return "";
}

std::string SavePng(const std::string& path, const uint32_t* pixels, int width, int height, int rowSpan)
{
  LICE_MemBitmap bitmap(width, height);
  if (bitmap.getWidth() != width || bitmap.getHeight() != height) return "cannot write '" + path + "'";
  for (int y = 0; y < height; ++y)
    std::memcpy(LICE_Row(&bitmap, y), pixels + static_cast<size_t>(y) * rowSpan, sizeof(uint32_t) * width);
  return SavePng(path, &bitmap);
}
