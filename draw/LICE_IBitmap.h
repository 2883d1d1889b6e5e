#pragma once

#include "draw/LICE_Types.h"

// A 32-bit bitmap. Rows are top-down unless isFlipped(); the row span may exceed the width.
class LICE_IBitmap
{
public:
  virtual ~LICE_IBitmap() = default;
  virtual LICE_pixel* getBits() = 0;
  virtual int getWidth() = 0;
  virtual int getHeight() = 0;
  virtual int getRowSpan() = 0;
  virtual bool isFlipped() { return false; }
  virtual bool resize(int w, int h) = 0;
  // The platform drawing context (a Windows HDC) or null.
  virtual void* getDC() { return nullptr; }
  virtual intptr_t Extended(int id, void* data)
  {
    (void)id;
    (void)data;
    return 0;
  }
};

// Address of row y (0 = top) honouring the flipped layout; y must be inside the bitmap.
inline LICE_pixel* LICE_Row(LICE_IBitmap* bm, int y)
{
  const int row = bm->isFlipped() ? bm->getHeight() - 1 - y : y;
  return bm->getBits() + intptr_t(row) * bm->getRowSpan();
}
