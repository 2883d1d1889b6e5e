// Windows: a top-down 32-bit DIB section selected into a memory device context of its own, so
// GDI can draw text straight into the pixels and the window can BitBlt from the context.
#include <windows.h>

#include "draw/LICE_SysBitmap.h"

LICE_SysBitmap::LICE_SysBitmap(int w, int h)
{
  dc = CreateCompatibleDC(nullptr);
  resize(w, h);
}

LICE_SysBitmap::~LICE_SysBitmap()
{
  FreeSection();
  if (dc) DeleteDC(static_cast<HDC>(dc));
}

bool LICE_SysBitmap::resize(int w, int h)
{
  if (!dc) {
    width = height = 0;
    pixels = nullptr;
    return false;
  }
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
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = allocWidth;
  info.bmiHeader.biHeight = -allocHeight;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bm = CreateDIBSection(static_cast<HDC>(dc), &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bm || !bits) {
    if (bm) DeleteObject(bm);
    return false;
  }
  section = bm;
  pixels = static_cast<LICE_pixel*>(bits);
  oldObject = SelectObject(static_cast<HDC>(dc), bm);
  return true;
}

void LICE_SysBitmap::FreeSection()
{
  if (!section) return;
  SelectObject(static_cast<HDC>(dc), static_cast<HGDIOBJ>(oldObject));
  DeleteObject(static_cast<HGDIOBJ>(section));
  section = nullptr;
  oldObject = nullptr;
  pixels = nullptr;
}
