#pragma once

#include "draw/LICE_Types.h"

// Per-pixel blends shared by blits, lines and text. ia is the weight in 1/256 (1..256), s the
// source pixel. Integer arithmetic throughout; division truncates toward zero.
namespace LICE_PixelOps {
inline int Clamp255(int v) { return v < 0 ? 0 : v > 255 ? 255 : v; }
inline int Chan(LICE_pixel p, int shift) { return int((p >> shift) & 0xFF); }
inline LICE_pixel Pack(int b, int g, int r, int a)
{
  return LICE_pixel(b) | (LICE_pixel(g) << 8) | (LICE_pixel(r) << 16) | (LICE_pixel(a) << 24);
}

inline int Mix(int s, int d, int keep) { return s + (d - s) * keep / 256; }

// Weighted copy of all four channels.
inline void Copy(LICE_pixel& d, LICE_pixel s, int ia)
{
  if (ia >= 256) {
    d = s;
    return;
  }
  const int keep = 256 - ia;
  d = Pack(Mix(Chan(s, 0), Chan(d, 0), keep), Mix(Chan(s, 8), Chan(d, 8), keep),
           Mix(Chan(s, 16), Chan(d, 16), keep), Mix(Chan(s, 24), Chan(d, 24), keep));
}

// Copy weighted by the source pixel's own alpha (and ia).
inline void CopySourceAlpha(LICE_pixel& d, LICE_pixel s, int ia)
{
  const int sa = Chan(s, 24);
  if (sa == 0) return;
  const int da = Chan(d, 24);
  if (ia >= 256) {
    if (sa == 255) {
      d = s | 0xFF000000u;
      return;
    }
    const int keep = 255 - sa;
    d = Pack(Mix(Chan(s, 0), Chan(d, 0), keep), Mix(Chan(s, 8), Chan(d, 8), keep),
             Mix(Chan(s, 16), Chan(d, 16), keep), da + sa > 255 ? 255 : da + sa);
    return;
  }
  const int k = ia * (sa + 1) / 256;
  const int keep = 256 - k;
  d = Pack(Mix(Chan(s, 0), Chan(d, 0), keep), Mix(Chan(s, 8), Chan(d, 8), keep),
           Mix(Chan(s, 16), Chan(d, 16), keep), da + k > 255 ? 255 : da + k);
}

// Additive; sa is the source alpha that weighs the pixel (255 when alpha is not honoured).
inline void Add(LICE_pixel& d, LICE_pixel s, int ia, int sa)
{
  if (sa == 0) return;
  const int k = ia * (sa + 1) / 256;
  d = Pack(Clamp255(Chan(d, 0) + k * Chan(s, 0) / 256), Clamp255(Chan(d, 8) + k * Chan(s, 8) / 256),
           Clamp255(Chan(d, 16) + k * Chan(s, 16) / 256), Clamp255(Chan(d, 24) + sa * k / 256));
}

inline int DodgeChannel(int d, int t) { return Clamp255(t > 254 ? d * 256 : d * 256 / (256 - t)); }

// Colour dodge: brightens the destination by the weighted source.
inline void Dodge(LICE_pixel& d, LICE_pixel s, int ia, int sa)
{
  const int k = ia * (sa + 1) / 256;
  d = Pack(DodgeChannel(Chan(d, 0), k * Chan(s, 0) / 256), DodgeChannel(Chan(d, 8), k * Chan(s, 8) / 256),
           DodgeChannel(Chan(d, 16), k * Chan(s, 16) / 256), DodgeChannel(Chan(d, 24), sa * k / 256));
}

// Multiply: the destination scaled by the source, mixed in by the weight.
inline void Multiply(LICE_pixel& d, LICE_pixel s, int ia, int sa)
{
  const int k = ia * (sa + 1) / 256;
  const LICE_pixel product = Pack(Chan(d, 0) * (Chan(s, 0) + 1) / 256, Chan(d, 8) * (Chan(s, 8) + 1) / 256,
                                  Chan(d, 16) * (Chan(s, 16) + 1) / 256, Chan(d, 24));
  Copy(d, product, k);
}

inline int OverlayChannel(int d, int s)
{
  return d < 128 ? 2 * d * s / 255 : 255 - 2 * (255 - d) * (255 - s) / 255;
}

// Overlay: multiply in the dark half, screen in the light half, mixed in by the weight.
inline void Overlay(LICE_pixel& d, LICE_pixel s, int ia, int sa)
{
  const int k = ia * (sa + 1) / 256;
  const LICE_pixel mixed =
    Pack(OverlayChannel(Chan(d, 0), Chan(s, 0)), OverlayChannel(Chan(d, 8), Chan(s, 8)),
         OverlayChannel(Chan(d, 16), Chan(s, 16)), Chan(d, 24));
  Copy(d, mixed, k);
}

// One pixel of any mode. Hue/saturation/value adjustment is not offered and copies instead.
inline void Blend(LICE_pixel& d, LICE_pixel s, int ia, int mode)
{
  const bool useAlpha = (mode & LICE_BLIT_USE_ALPHA) != 0;
  const int sa = useAlpha ? Chan(s, 24) : 255;
  switch (mode & LICE_BLIT_MODE_MASK) {
    case LICE_BLIT_MODE_ADD: Add(d, s, ia, sa); break;
    case LICE_BLIT_MODE_DODGE: Dodge(d, s, ia, sa); break;
    case LICE_BLIT_MODE_MUL: Multiply(d, s, ia, sa); break;
    case LICE_BLIT_MODE_OVERLAY: Overlay(d, s, ia, sa); break;
    default:
      if (useAlpha)
        CopySourceAlpha(d, s, ia);
      else
        Copy(d, s, ia);
      break;
  }
}

// The shift-and-add shortcuts for copies at fixed weights.
inline LICE_pixel Half(LICE_pixel s, LICE_pixel d)
{
  return ((s >> 1) & 0x7F7F7F7F) + ((d >> 1) & 0x7F7F7F7F);
}
inline LICE_pixel Quarter(LICE_pixel s, LICE_pixel d)
{
  return ((s >> 2) & 0x3F3F3F3F) + ((d >> 2) & 0x3F3F3F3F) + ((d >> 1) & 0x7F7F7F7F);
}
inline LICE_pixel ThreeQuarters(LICE_pixel s, LICE_pixel d)
{
  return ((s >> 1) & 0x7F7F7F7F) + ((s >> 2) & 0x3F3F3F3F) + ((d >> 2) & 0x3F3F3F3F);
}

// Weight in 1/256 from a 0..1 alpha; 0 for NaN, negative or zero alphas.
inline int Weight(float alpha)
{
  if (!(alpha > 0.0f)) return 0;
  if (alpha >= 1.0f) return 256;
  return int(alpha * 256.0f);
}
}  // namespace LICE_PixelOps
