#include <cmath>

#include "tools/skin/Skin.h"

namespace {
constexpr double kSweep = 300.0 * M_PI / 180.0;
constexpr double kStart = M_PI / 2 + (2 * M_PI - kSweep) / 2;  // 7 o'clock, y pointing down
constexpr double kTop = 1.5 * M_PI;                            // 12 o'clock inside the sweep's angle range

void Arc(cairo_t* cr, double c, double r, double from, double to, const Colour& col, double width)
{
  cairo_new_path(cr);
  cairo_arc(cr, c, c, r, from, to);
  SetColour(cr, col);
  cairo_set_line_width(cr, width);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_stroke(cr);
}

void Body(cairo_t* cr, double c, double r)
{
  // drop shadow, rim, domed cap
  cairo_arc(cr, c, c + r * 0.08, r * 1.02, 0, 2 * M_PI);
  SetColour(cr, Hex(0x000000, 0.45));
  cairo_fill(cr);
  cairo_arc(cr, c, c, r, 0, 2 * M_PI);
  FillVertical(cr, c - r, 2 * r, Hex(0x5a5f68), Hex(0x1d1f23));
  cairo_pattern_t* cap = cairo_pattern_create_radial(c - r * 0.3, c - r * 0.45, r * 0.1, c, c, r * 0.86);
  cairo_pattern_add_color_stop_rgb(cap, 0, 0.36, 0.38, 0.42);
  cairo_pattern_add_color_stop_rgb(cap, 1, 0.15, 0.16, 0.18);
  cairo_arc(cr, c, c, r * 0.84, 0, 2 * M_PI);
  cairo_set_source(cr, cap);
  cairo_fill(cr);
  cairo_pattern_destroy(cap);
  cairo_arc(cr, c, c, r * 0.84, 0, 2 * M_PI);
  SetColour(cr, Hex(0xffffff, 0.07));
  cairo_set_line_width(cr, 0.8);
  cairo_stroke(cr);
}

void Pointer(cairo_t* cr, double c, double r, double angle, double width)
{
  const double dx = std::cos(angle), dy = std::sin(angle);
  cairo_move_to(cr, c + dx * r * 0.28, c + dy * r * 0.28);
  cairo_line_to(cr, c + dx * r * 0.8, c + dy * r * 0.8);
  SetColour(cr, Palette::kWhite);
  cairo_set_line_width(cr, width);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_stroke(cr);
}
}  // namespace

void PaintKnob(Strip& s, const PanelLayout::SkinBitmap& b, const Colour& accent, bool bipolar)
{
  const double size = b.frameWidth;
  const double c = size / 2;
  const double arcWidth = std::max(2.0, size * 0.075);
  const double arcR = c - arcWidth / 2 - 0.75;
  const double bodyR = arcR - arcWidth / 2 - std::max(1.5, size * 0.05);
  for (int k = 0; k < b.frames; ++k) {
    cairo_t* cr = s.Frame(k);
    const double v = double(k) / (b.frames - 1);
    const double angle = kStart + kSweep * v;
    Arc(cr, c, arcR, kStart, kStart + kSweep, Hex(0x101114), arcWidth);
    const double from = bipolar ? std::min(angle, kTop) : kStart;
    const double to = bipolar ? std::max(angle, kTop) : angle;
    if (to - from > 0.01)
      Arc(cr, c, arcR, from, to, accent, arcWidth * 0.7);
    else if (bipolar)
      Arc(cr, c, arcR, kTop - 0.02, kTop + 0.02, accent.WithAlpha(0.8), arcWidth * 0.7);
    Body(cr, c, bodyR);
    Pointer(cr, c, bodyR, angle, std::max(1.6, size * 0.065));
  }
}
