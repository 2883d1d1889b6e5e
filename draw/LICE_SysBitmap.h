#pragma once

#include "draw/LICE_IBitmap.h"

// A bitmap the platform window can copy from directly. On Windows it is a top-down 32-bit DIB
// section selected into its own memory device context; elsewhere it is plain memory laid out
// the same way (an XImage can point at it) and has no device context. The section is reused
// when the bitmap shrinks.
class LICE_SysBitmap : public LICE_IBitmap
{
public:
  explicit LICE_SysBitmap(int w = 0, int h = 0);
  ~LICE_SysBitmap() override;
  LICE_SysBitmap(const LICE_SysBitmap&) = delete;
  LICE_SysBitmap& operator=(const LICE_SysBitmap&) = delete;

  LICE_pixel* getBits() override { return pixels; }
  int getWidth() override { return width; }
  int getHeight() override { return height; }
  int getRowSpan() override { return allocWidth; }
  bool resize(int w, int h) override;
  void* getDC() override { return dc; }

private:
  void FreeSection();
  bool CreateSection();

  int width = 0;
  int height = 0;
  void* dc = nullptr;  // HDC
  LICE_pixel* pixels = nullptr;
  int allocWidth = 0;
  int allocHeight = 0;
  void* section = nullptr;    // HBITMAP
  void* oldObject = nullptr;  // HGDIOBJ selected before the section
};
