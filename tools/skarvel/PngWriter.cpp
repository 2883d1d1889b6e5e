#include "tools/skarvel/PngWriter.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "draw/LICE_MemBitmap.h"
#include "draw/LICE_PNG.h"

std::string SavePng(const std::string& path, LICE_IBitmap* bitmap)
{
  const std::string temp = path + ".part" + std::to_string(getpid());
  if (!WritePng(temp.c_str(), bitmap) || std::rename(temp.c_str(), path.c_str()) != 0) {
    std::remove(temp.c_str());
    return "cannot write '" + path + "'";
  }
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
