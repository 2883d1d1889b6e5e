#pragma once

#include "draw/LICE_IBitmap.h"

// Draws the segment (x1, y1)-(x2, y2), both ends included, clipped to the bitmap. Only the
// low byte of mode counts: a line has no source alpha to honour.
void LICE_Line(LICE_IBitmap* dest, int x1, int y1, int x2, int y2, LICE_pixel color, float alpha, int mode,
               bool antialias);
