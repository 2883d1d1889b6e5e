#include <cmath>

#include "tools/skin/Skin.h"

namespace {
void ButtonBody(cairo_t* cr, double w, double h, bool down)
{
  RoundedRect(cr, 0.5, 0.5, w - 1, h - 1, 3);
  SetColour(cr, Hex(0x0c0d0f));
  cairo_fill_preserve(cr);
  cairo_new_path(cr);
  RoundedRect(cr, 1.5, 1.5, w - 3, h - 3, 2.2);
  if (down)
    FillVertical(cr, 1.5, h - 3, Hex(0x1b1d21), Hex(0x2a2d33));
  else
    FillVertical(cr, 1.5, h - 3, Hex(0x474c55), Hex(0x2b2e34));
  if (!down) {
    cairo_move_to(cr, 3.5, 2.0);
    cairo_line_to(cr, w - 3.5, 2.0);
    SetColour(cr, Hex(0xffffff, 0.16));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
  }
}

void Led(cairo_t* cr, double x, double y, double r, const Colour& c, bool on)
{
  cairo_arc(cr, x, y, r + 1, 0, 2 * M_PI);
  SetColour(cr, Hex(0x08090a));
  cairo_fill(cr);
  if (on) {
    cairo_pattern_t* glow = cairo_pattern_create_radial(x, y, 0, x, y, r * 2.4);
    cairo_pattern_add_color_stop_rgba(glow, 0, c.r, c.g, c.b, 0.55);
    cairo_pattern_add_color_stop_rgba(glow, 1, c.r, c.g, c.b, 0);
    cairo_arc(cr, x, y, r * 2.4, 0, 2 * M_PI);
    cairo_set_source(cr, glow);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
  }
  cairo_pattern_t* p = cairo_pattern_create_radial(x - r * 0.3, y - r * 0.35, 0, x, y, r);
  const Colour core = on ? c.Mix(Palette::kWhite, 0.55) : c.Mix(Hex(0x15171a), 0.78);
  const Colour edge = on ? c : c.Mix(Hex(0x0a0b0c), 0.85);
  cairo_pattern_add_color_stop_rgb(p, 0, core.r, core.g, core.b);
  cairo_pattern_add_color_stop_rgb(p, 1, edge.r, edge.g, edge.b);
  cairo_arc(cr, x, y, r, 0, 2 * M_PI);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void Label(cairo_t* cr, const std::string& text, double cx, double cy, const Colour& c, double size)
{
  UseFont(cr, Font::Label, size);
  SetColour(cr, c);
  DrawTextCentred(cr, text, cx, cy, 0.6);
}
}  // namespace

void PaintPushButton(Strip& s, const PanelLayout::SkinBitmap& b, const std::string& label,
                     const Colour& accent)
{
  const double w = b.frameWidth, h = b.frameHeight;
  for (int k = 0; k < 2; ++k) {
    cairo_t* cr = s.Frame(k);
    ButtonBody(cr, w, h, k == 1);
    const Colour text = k ? accent.Mix(Palette::kWhite, 0.35) : Palette::kLabel.Mix(accent, 0.25);
    Label(cr, label, w / 2, h / 2 + k, text, 8.5);
  }
}

void PaintLatchButton(Strip& s, const PanelLayout::SkinBitmap& b, const std::string& label, const Colour& led)
{
  const double w = b.frameWidth, h = b.frameHeight;
  const double r = h >= 28 ? 3.5 : 2.6;
  for (int k = 0; k < 2; ++k) {
    cairo_t* cr = s.Frame(k);
    ButtonBody(cr, w, h, k == 1);
    Led(cr, 4 + 2 * r, h / 2 + k * 0.5, r, led, k == 1);
    UseFont(cr, Font::Label, h >= 28 ? 10 : 8.5);
    const double textLeft = 6 + 4 * r;
    Label(cr, label, textLeft + (w - 3 - textLeft) / 2, h / 2 + k, k ? Palette::kWhite : Palette::kLabel,
          h >= 28 ? 10 : 8.5);
  }
}

void PaintLedSwitch(Strip& s, const PanelLayout::SkinBitmap& b)
{
  for (int k = 0; k < 2; ++k) {
    cairo_t* cr = s.Frame(k);
    const double cx = b.frameWidth / 2.0, cy = b.frameHeight / 2.0;
    cairo_arc(cr, cx, cy, 7.0, 0, 2 * M_PI);
    FillVertical(cr, cy - 7, 14, Hex(0x50555e), Hex(0x1a1c20));
    Led(cr, cx, cy, 4.4, Palette::kLedGreen, k == 1);
  }
}

void PaintArrow(Strip& s, const PanelLayout::SkinBitmap& b, int direction, const Colour& accent)
{
  const double w = b.frameWidth, h = b.frameHeight;
  for (int k = 0; k < 2; ++k) {
    cairo_t* cr = s.Frame(k);
    ButtonBody(cr, w, h, k == 1);
    const double cx = w / 2, cy = h / 2 + k * 0.5, a = 3.6;
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, (direction == 0 ? 1.0 : direction == 1 ? 0.0 : direction == 2 ? 1.5 : 0.5) * M_PI);
    cairo_move_to(cr, a, 0);
    cairo_line_to(cr, -a * 0.7, -a);
    cairo_line_to(cr, -a * 0.7, a);
    cairo_close_path(cr);
    cairo_restore(cr);
    SetColour(cr, k ? accent.Mix(Palette::kWhite, 0.3) : Palette::kLabel);
    cairo_fill(cr);
  }
}

void PaintTab(Strip& s, const PanelLayout::SkinBitmap& b, const std::string& label)
{
  const double w = b.frameWidth, h = b.frameHeight;
  for (int k = 0; k < 2; ++k) {
    cairo_t* cr = s.Frame(k);
    const bool selected = k == 1;
    cairo_move_to(cr, 1, 0);
    cairo_line_to(cr, w - 1, 0);
    cairo_arc(cr, w - 6, h - 6, 5, 0, M_PI / 2);
    cairo_arc(cr, 6, h - 6, 5, M_PI / 2, M_PI);
    cairo_close_path(cr);
    if (selected)
      FillVertical(cr, 0, h, Hex(0x3a3e46), Hex(0x2a2d33));
    else
      FillVertical(cr, 0, h, Hex(0x17181b), Hex(0x202226));
    if (selected) PaintAccentBar(cr, 6, h - 4, w - 12, 2);
    Label(cr, label, w / 2, h / 2 - 1, selected ? Palette::kWhite : Palette::kLabelDim, 9);
  }
}

void PaintSliderTrack(Strip& s, const PanelLayout::SkinBitmap& b)
{
  cairo_t* cr = s.Frame(0);
  const double w = b.frameWidth, h = b.frameHeight;
  for (int i = 0; i <= 8; ++i) {
    const double x = 7 + (w - 14) * i / 8.0;
    cairo_move_to(cr, std::round(x) + 0.5, i % 4 ? 2 : 0.5);
    cairo_line_to(cr, std::round(x) + 0.5, i % 4 ? 4 : 4.5);
    SetColour(cr, i % 4 ? Palette::kLabelDim.WithAlpha(0.6) : Palette::kLabel.WithAlpha(0.8));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
  }
  RoundedRect(cr, 3, h / 2 - 1.5, w - 6, 5, 2.5);
  SetColour(cr, Hex(0x08090a));
  cairo_fill(cr);
  cairo_move_to(cr, 5, h / 2 + 3.5);
  cairo_line_to(cr, w - 5, h / 2 + 3.5);
  SetColour(cr, Hex(0xffffff, 0.08));
  cairo_stroke(cr);
}

void PaintSliderHandle(Strip& s, const PanelLayout::SkinBitmap& b, const Colour& accent)
{
  cairo_t* cr = s.Frame(0);
  const double w = b.frameWidth, h = b.frameHeight;
  RoundedRect(cr, 0.5, 0.5, w - 1, h - 1, 3);
  SetColour(cr, Hex(0x0a0b0c));
  cairo_fill(cr);
  RoundedRect(cr, 1.5, 1.5, w - 3, h - 3, 2);
  FillVertical(cr, 1.5, h - 3, Hex(0x7a808b), Hex(0x3a3e45));
  cairo_move_to(cr, w / 2, 3);
  cairo_line_to(cr, w / 2, h - 3);
  SetColour(cr, accent);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
}
