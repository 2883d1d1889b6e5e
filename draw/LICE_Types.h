#pragma once

#include <cstdint>

// One pixel: A<<24 | R<<16 | G<<8 | B, stored little-endian (bytes B, G, R, A), not
// premultiplied.
typedef uint32_t LICE_pixel;

constexpr LICE_pixel LICE_RGBA(int r, int g, int b, int a)
{
  return (LICE_pixel(a & 0xFF) << 24) | (LICE_pixel(r & 0xFF) << 16) | (LICE_pixel(g & 0xFF) << 8) |
         LICE_pixel(b & 0xFF);
}
constexpr int LICE_GETB(LICE_pixel p) { return int(p & 0xFF); }
constexpr int LICE_GETG(LICE_pixel p) { return int((p >> 8) & 0xFF); }
constexpr int LICE_GETR(LICE_pixel p) { return int((p >> 16) & 0xFF); }
constexpr int LICE_GETA(LICE_pixel p) { return int(p >> 24); }

// Left/top inclusive, right/bottom exclusive, in pixels.
struct LICE_Rect
{
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// Blend modes of blits, lines and text. The low byte picks the operation; the flag makes a
// blit weigh each source pixel by its own alpha.
enum {
  LICE_BLIT_MODE_COPY = 0,
  LICE_BLIT_MODE_ADD = 1,
  LICE_BLIT_MODE_DODGE = 2,
  LICE_BLIT_MODE_MUL = 3,
  LICE_BLIT_MODE_OVERLAY = 4,
  LICE_BLIT_MODE_HSVADJ = 5,
  LICE_BLIT_MODE_MASK = 0xFF,
  LICE_BLIT_USE_ALPHA = 0x10000,
  // Channel copy: 0xF0 | destination channel << 2 | source channel (channels are byte
  // positions in memory: 0 B, 1 G, 2 R, 3 A).
  LICE_BLIT_MODE_CHANCOPY = 0xF0,
};

constexpr int LICE_ChannelCopyMode(int srcChannel, int dstChannel)
{
  return LICE_BLIT_MODE_CHANCOPY | ((dstChannel & 3) << 2) | (srcChannel & 3);
}
