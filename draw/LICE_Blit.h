#pragma once

#include "draw/LICE_IBitmap.h"

// Copies srcRect of src (the whole source when null) to (dstX, dstY) of dest, clipped to both
// bitmaps, blended by alpha (0..1) in mode (LICE_BLIT_MODE_* | LICE_BLIT_USE_ALPHA, or a
// channel-copy mode).
void LICE_Blit(LICE_IBitmap* dest, LICE_IBitmap* src, int dstX, int dstY, const LICE_Rect* srcRect,
               float alpha, int mode);
