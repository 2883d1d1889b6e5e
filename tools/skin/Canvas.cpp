#include "tools/skin/Canvas.h"

#include <png.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

Colour Hex(unsigned int rgb, double a)
{
  return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, a};
}

namespace Palette {
const Colour kPanel = Hex(0x2a2d32);
const Colour kPanelDark = Hex(0x1c1e22);
const Colour kPanelLight = Hex(0x373b42);
const Colour kHairline = Hex(0x464b54);
const Colour kWell = Hex(0x222429);
const Colour kScreen = Hex(0x0d1114);
const Colour kScreenEdge = Hex(0x050607);
const Colour kLabel = Hex(0xc4c8cf);
const Colour kLabelDim = Hex(0x80868f);
const Colour kWhite = Hex(0xf4f5f7);
const Colour kLedGreen = Hex(0x6dff8a);
const Colour kLedRed = Hex(0xff4a3d);
}  // namespace Palette

void SetColour(cairo_t* cr, const Colour& c) { cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a); }

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r)
{
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 1.5 * M_PI);
  cairo_close_path(cr);
}

void FillVertical(cairo_t* cr, double y, double h, const Colour& top, const Colour& bottom)
{
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y, 0, y + h);
  cairo_pattern_add_color_stop_rgba(p, 0, top.r, top.g, top.b, top.a);
  cairo_pattern_add_color_stop_rgba(p, 1, bottom.r, bottom.g, bottom.b, bottom.a);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void UseFont(cairo_t* cr, Font f, double size)
{
  switch (f) {
    case Font::Label:
      cairo_select_font_face(cr, "DejaVu Sans Condensed", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
      break;
    case Font::Title:
      cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
      break;
    case Font::Brand:
      cairo_select_font_face(cr, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
      break;
    case Font::Body:
      cairo_select_font_face(cr, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
      break;
  }
  cairo_set_font_size(cr, size);
  cairo_font_options_t* o = cairo_font_options_create();
  cairo_font_options_set_antialias(o, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_SLIGHT);
  cairo_font_options_set_hint_metrics(o, CAIRO_HINT_METRICS_ON);
  cairo_set_font_options(cr, o);
  cairo_font_options_destroy(o);
}

namespace {
// Splits UTF-8 text into its characters.
template <class Fn> void ForEachChar(const std::string& text, Fn fn)
{
  for (size_t i = 0; i < text.size();) {
    size_t n = 1;
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 0xF0)
      n = 4;
    else if (c >= 0xE0)
      n = 3;
    else if (c >= 0xC0)
      n = 2;
    fn(text.substr(i, n));
    i += n;
  }
}
}  // namespace

double TextWidth(cairo_t* cr, const std::string& text, double tracking)
{
  double w = 0;
  int count = 0;
  ForEachChar(text, [&](const std::string& ch) {
    cairo_text_extents_t e;
    cairo_text_extents(cr, ch.c_str(), &e);
    w += e.x_advance;
    ++count;
  });
  return w + tracking * (count > 0 ? count - 1 : 0);
}

void DrawText(cairo_t* cr, const std::string& text, double x, double y, double tracking)
{
  ForEachChar(text, [&](const std::string& ch) {
    cairo_text_extents_t e;
    cairo_text_extents(cr, ch.c_str(), &e);
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, ch.c_str());
    x += e.x_advance + tracking;
  });
}

void DrawTextCentred(cairo_t* cr, const std::string& text, double cx, double cy, double tracking)
{
  cairo_text_extents_t caps;
  cairo_text_extents(cr, "H", &caps);
  const double w = TextWidth(cr, text, tracking);
  DrawText(cr, text, std::round(cx - w / 2), std::round(cy + caps.height / 2), tracking);
}

Strip::Strip(int frameWidth, int frameHeight, int frames)
    : surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, frameWidth, frameHeight * frames)),
      frameHeight(frameHeight)
{}

Strip::~Strip()
{
  if (cr) cairo_destroy(cr);
  cairo_surface_destroy(surface);
}

cairo_t* Strip::Frame(int index)
{
  if (cr) cairo_destroy(cr);
  cr = cairo_create(surface);
  cairo_translate(cr, 0, double(index) * frameHeight);
  cairo_rectangle(cr, 0, 0, cairo_image_surface_get_width(surface), frameHeight);
  cairo_clip(cr);
  return cr;
}

namespace {
// Cairo would store opaque images as RGB; the editor's resources are all 8-bit RGBA, so the
// strip is written with libpng, un-premultiplied.
void Unpremultiply(const unsigned char* argb, int width, std::vector<unsigned char>& rgba)
{
  for (int x = 0; x < width; ++x) {
    const uint32_t p = reinterpret_cast<const uint32_t*>(argb)[x];
    const unsigned a = p >> 24;
    for (int c = 0; c < 3; ++c) {
      const unsigned v = (p >> (16 - 8 * c)) & 0xFF;
      rgba[size_t(x) * 4 + c] = static_cast<unsigned char>(a ? (v * 255 + a / 2) / a : 0);
    }
    rgba[size_t(x) * 4 + 3] = static_cast<unsigned char>(a);
  }
}
}  // namespace

bool Strip::Save(const std::string& path)
{
  if (cr) {
    cairo_destroy(cr);
    cr = nullptr;
  }
  cairo_surface_flush(surface);
  const int w = cairo_image_surface_get_width(surface), h = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  std::vector<unsigned char> row(size_t(w) * 4);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    return false;
  }
  png_init_io(png, f);
  png_set_compression_level(png, 9);
  // Paeth and average rows cost more to undo than they save here: every instance's first
  // creation decodes all of these, so they keep to the cheap filters.
  png_set_filter(png, 0, PNG_FILTER_NONE | PNG_FILTER_SUB | PNG_FILTER_UP);
  png_set_IHDR(png, info, w, h, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < h; ++y) {
    Unpremultiply(data + size_t(y) * stride, w, row);
    png_write_row(png, row.data());
  }
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return std::fclose(f) == 0;
}
