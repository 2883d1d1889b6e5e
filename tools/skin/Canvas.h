#pragma once

#include <cairo.h>

#include <string>

// Colours and drawing helpers shared by the skin's painters.
struct Colour
{
  double r, g, b, a = 1.0;
  Colour Mix(const Colour& o, double t) const
  {
    return {r + (o.r - r) * t, g + (o.g - g) * t, b + (o.b - b) * t, a + (o.a - a) * t};
  }
  Colour WithAlpha(double na) const { return {r, g, b, na}; }
};

Colour Hex(unsigned int rgb, double a = 1.0);

namespace Palette {
extern const Colour kPanel, kPanelDark, kPanelLight, kHairline, kWell, kScreen, kScreenEdge;
extern const Colour kLabel, kLabelDim, kWhite, kLedGreen, kLedRed;
}  // namespace Palette

void SetColour(cairo_t* cr, const Colour& c);
void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
// Fills the current path with a vertical gradient from y to y + h.
void FillVertical(cairo_t* cr, double y, double h, const Colour& top, const Colour& bottom);

enum class Font {
  Label,  // condensed bold caps for printed labels
  Title,  // section titles
  Brand,  // wordmarks
  Body,   // running text
};

void UseFont(cairo_t* cr, Font f, double size);
// Width of text drawn with the given extra spacing between letters.
double TextWidth(cairo_t* cr, const std::string& text, double tracking);
// Draws text with its left end at x and baseline at y, letters spaced by tracking.
void DrawText(cairo_t* cr, const std::string& text, double x, double y, double tracking);
// Centres the text's box (cap height) on (cx, cy).
void DrawTextCentred(cairo_t* cr, const std::string& text, double cx, double cy, double tracking);

// A bitmap of frames stacked vertically, painted one frame at a time.
class Strip
{
public:
  Strip(int frameWidth, int frameHeight, int frames);
  ~Strip();
  cairo_t* Frame(int index);  // a context translated to the frame, valid until the next call
  cairo_surface_t* Surface() { return surface; }
  bool Save(const std::string& path);

private:
  cairo_surface_t* surface;
  cairo_t* cr = nullptr;
  int frameHeight;
};
