#include "gui/DoubleClickDetector.h"

#include <cstdlib>

bool DoubleClickDetector::Press(int b, int px, int py, unsigned long t)
{
  // The server's clock is 32 bits wide; the difference is taken in that width.
  const unsigned long elapsed = (t - time) & 0xFFFFFFFFul;
  const bool isDouble = pending && b == button && elapsed <= kIntervalMs && std::abs(px - x) <= kDistance &&
                        std::abs(py - y) <= kDistance;
  pending = !isDouble;
  button = b;
  x = px;
  y = py;
  time = t;
  return isDouble;
}
