#pragma once

#include <cstdint>
#include <cstdio>

class LICE_CachedFont;
class LICE_IBitmap;

// The editor's small value records.

struct EditorColour
{
  int A = 255, R = 0, G = 0, B = 0;

  constexpr EditorColour() = default;
  constexpr EditorColour(int a, int r, int g, int b) : A(a), R(r), G(g), B(b) {}
  // The drawing library's pixel word.
  constexpr uint32_t Pack() const
  {
    return (uint32_t(A & 0xFF) << 24) | (uint32_t(R & 0xFF) << 16) | (uint32_t(G & 0xFF) << 8) |
           uint32_t(B & 0xFF);
  }
  constexpr bool operator==(const EditorColour& o) const
  {
    return A == o.A && R == o.R && G == o.G && B == o.B;
  }
};

constexpr EditorColour kColourBlack{255, 0, 0, 0};
constexpr EditorColour kColourGrey{255, 127, 127, 127};
constexpr EditorColour kColourWhite{255, 255, 255, 255};
constexpr EditorColour kColourRed{255, 255, 0, 0};
constexpr EditorColour kColourGreen{255, 0, 255, 0};
constexpr EditorColour kColourBlue{255, 0, 0, 255};
constexpr EditorColour kColourYellow{255, 255, 255, 0};
constexpr EditorColour kColourOrange{255, 255, 127, 0};
constexpr EditorColour kColourLightCyan{255, 127, 255, 255};

struct TextStyle
{
  enum { kStyleNormal = 0, kStyleBold = 1, kStyleItalic = 2 };
  enum { kAlignLeft = 0, kAlignCentre = 1, kAlignRight = 2 };
  enum { kQualityDefault = 0, kQualityNonAntiAliased = 1, kQualityAntiAliased = 2, kQualityClearType = 3 };

  char face[32] = "Verdana";
  int size = 12;  // pixel height
  EditorColour colour = kColourBlack;
  EditorColour entryBackground = kColourWhite;
  EditorColour entryForeground = kColourBlack;
  int style = kStyleNormal;
  int align = kAlignCentre;
  int orientation = 0;  // the font gets escapement and orientation of ten times this
  int quality = kQualityDefault;
  LICE_CachedFont* font = nullptr;  // from the FontCache, filled on first use; not owned

  TextStyle() = default;
  TextStyle(const char* faceName, int pixelSize, const EditorColour& c, int textStyle, int alignment,
            int textOrientation, int textQuality)
      : size(pixelSize), colour(c), style(textStyle), align(alignment), orientation(textOrientation),
        quality(textQuality)
  {
    std::snprintf(face, sizeof face, "%s", faceName ? faceName : "");
  }
};

// A filmstrip: N frames, stacked vertically unless framesAreHorizontal.
struct SkinBitmap
{
  // Owned by the BitmapCache; null until the repaint that first draws it, then kept so later
  // draws skip the cache.
  mutable LICE_IBitmap* bitmap = nullptr;
  int W = 0;  // whole bitmap
  int H = 0;
  int N = 1;
  bool framesAreHorizontal = false;
  // Where the pixels come from while `bitmap` is null: decoded into the cache when first drawn.
  int resourceId = 0;
  const char* fileName = nullptr;  // static text

  int FrameWidth() const { return framesAreHorizontal ? W / N : W; }
  int FrameHeight() const { return framesAreHorizontal ? H : H / N; }
};

struct BlendMode
{
  enum { kNone = 0, kClobber = 1, kAdd = 2, kColourDodge = 3 };
  int method = kNone;
  float weight = 1.0f;  // 0.25 while the control is greyed
};

struct MouseModifiers
{
  bool L = false, R = false, S = false, C = false, A = false;
};

// A second parameter a control may follow besides its own.
struct AuxBinding
{
  double value = 0.0;  // normalised
  int paramIdx = -1;
};
