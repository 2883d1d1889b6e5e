// Without a window system's device-independent bitmaps the system bitmap is plain,
// zero-initialised memory with the same row layout; the X11 window puts it on screen with an
// XImage that points at these pixels. There is no device context, so the section is created
// directly and text always takes the glyph-cache path.
#include "draw/LICE_SysBitmap.h"

#include <cstdlib>

LICE_SysBitmap::LICE_SysBitmap(int w, int h) { resize(w, h); }

LICE_SysBitmap::~LICE_SysBitmap() { FreeSection(); }

bool LICE_SysBitmap::resize(int w, int h)
{
  if (w < 0) w = 0;
  if (h < 0) h = 0;
  if (w == width && h == height) return false;
  width = w;
  height = h;
  if (w && h && allocWidth >= w && allocHeight >= h && pixels) return true;
  allocWidth = (w + 3) & ~3;
  allocHeight = h;
  FreeSection();
  if (!w || !h) return false;
  if (!CreateSection()) width = height = allocWidth = allocHeight = 0;
  return true;
}

bool LICE_SysBitmap::CreateSection()
{
  const long long bytes = (long long)allocWidth * allocHeight * 4;
  if (bytes > 0x7FFFFFFFLL) return false;
  pixels = static_cast<LICE_pixel*>(std::calloc(size_t(bytes), 1));
  section = pixels;
  return pixels != nullptr;
}

void LICE_SysBitmap::FreeSection()
{
  std::free(section);
  section = nullptr;
  pixels = nullptr;
}
