// The drawing bitmap is a DIB section so GDI can draw text straight into it and the window can
// BitBlt from its device context. Top-down rows (negative height) keep the pixel layout the
// same as the memory bitmap's.
#include "draw/LICE_SysBitmap.h"

#include <windows.h>

LICE_SysBitmap::LICE_SysBitmap(int w, int h)
{
  HDC screen = GetDC(nullptr);
  dc = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  resize(w, h);
}

LICE_SysBitmap::~LICE_SysBitmap()
{
  FreeSection();
  if (dc)
    DeleteDC(static_cast<HDC>(dc));
}

bool LICE_SysBitmap::resize(int w, int h)
{
  if (!dc)
  {
    width = height = 0;
    pixels = nullptr;
    return false;
  }
  if (w < 0)
    w = 0;
  if (h < 0)
    h = 0;
  if (w == width && h == height)
    return false;
  width = w;
  height = h;
  if (w && h && allocWidth >= w && allocHeight >= h && pixels)
    return true;
  allocWidth = (w + 3) & ~3;
  allocHeight = h;
  FreeSection();
  if (!w || !h)
    return false;
  if (!CreateSection())
    width = height = allocWidth = allocHeight = 0;
  return true;
}

bool LICE_SysBitmap::CreateSection()
{
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = allocWidth;
  info.bmiHeader.biHeight = -allocHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bm = CreateDIBSection(static_cast<HDC>(dc), &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bm || !bits)
  {
    if (bm)
      DeleteObject(bm);
    return false;
  }
  section = bm;
  pixels = static_cast<LICE_pixel*>(bits);
  oldObject = SelectObject(static_cast<HDC>(dc), bm);
  return true;
}

void LICE_SysBitmap::FreeSection()
{
  if (!section)
    return;
  SelectObject(static_cast<HDC>(dc), static_cast<HGDIOBJ>(oldObject));
  DeleteObject(static_cast<HBITMAP>(section));
  section = nullptr;
  oldObject = nullptr;
  pixels = nullptr;
}
