#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "tools/skin/Skin.h"

using namespace PanelLayout;

namespace {
constexpr double kOriginX = 16, kOriginY = 65;  // the controls background's place in the editor

// Fine horizontal grain, the same on every run.
void BrushedGrain(cairo_t* cr, double w, double h, double strength)
{
  uint32_t seed = 0x5eed1234u;
  for (int y = 0; y < int(h); ++y) {
    seed = seed * 1664525u + 1013904223u;
    const double a = ((seed >> 8) & 0xFF) / 255.0 * strength;
    cairo_rectangle(cr, 0, y, w, 1);
    SetColour(cr, (seed & 0x100) ? Hex(0xffffff, a) : Hex(0x000000, a * 1.4));
    cairo_fill(cr);
  }
}

void Screw(cairo_t* cr, double x, double y)
{
  cairo_arc(cr, x, y, 4, 0, 2 * M_PI);
  FillVertical(cr, y - 4, 8, Hex(0x6b717b), Hex(0x2a2d32));
  cairo_move_to(cr, x - 2.6, y + 1.4);
  cairo_line_to(cr, x + 2.6, y - 1.4);
  SetColour(cr, Hex(0x15171a));
  cairo_set_line_width(cr, 1.1);
  cairo_stroke(cr);
}

void PanelWell(cairo_t* cr, const Rect& r, const Colour& accent)
{
  const double x = r.l - kOriginX, y = r.t - kOriginY, w = r.r - r.l, h = r.b - r.t;
  RoundedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, 4);
  FillVertical(cr, y, h, Hex(0x2f3238), Hex(0x26282d));
  RoundedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, 4);
  SetColour(cr, Hex(0x000000, 0.55));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  cairo_move_to(cr, x + 4, y + 1.5);
  cairo_line_to(cr, x + w - 4, y + 1.5);
  SetColour(cr, Hex(0xffffff, 0.07));
  cairo_stroke(cr);
  cairo_move_to(cr, x + 5, y + 0.75);
  cairo_line_to(cr, x + std::min(w - 5, 46.0), y + 0.75);
  SetColour(cr, accent);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
}

void Grid(cairo_t* cr, double x, double y, double w, double h)
{
  SetColour(cr, Hex(0x6ad8ff, 0.07));
  cairo_set_line_width(cr, 1);
  for (int i = 1; i < 4; ++i) {
    const double gx = std::round(x + w * i / 4) + 0.5;
    cairo_move_to(cr, gx, y + 2);
    cairo_line_to(cr, gx, y + h - 2);
  }
  for (int i = 1; i < 4; i += 2) {
    const double gy = std::round(y + h * i / 4) + 0.5;
    cairo_move_to(cr, x + 2, gy);
    cairo_line_to(cr, x + w - 2, gy);
  }
  cairo_stroke(cr);
  const double cy = std::round(y + h / 2) + 0.5;
  cairo_move_to(cr, x + 2, cy);
  cairo_line_to(cr, x + w - 2, cy);
  SetColour(cr, Hex(0x6ad8ff, 0.16));
  cairo_stroke(cr);
}

Rect Local(const Rect& r)
{
  return {int(r.l - kOriginX), int(r.t - kOriginY), int(r.r - kOriginX), int(r.b - kOriginY)};
}

bool SameRow(const Rect& a, const Rect& b) { return a.t < b.b && b.t < a.b; }

// Read-out boxes behind the editor's texts; neighbours that share a row split their overlap.
void ReadoutBoxes(cairo_t* cr)
{
  std::vector<Rect> boxes;
  for (const Control& c : kControls)
    if ((c.kind == Kind::Text || c.kind == Kind::Caption) && c.section != Section::Status &&
        c.role != Role::PresetNameText && c.role != Role::InterpNameText)
      boxes.push_back(c.rect);
  for (Rect& a : boxes)
    for (const Rect& o : boxes)
      if (&a != &o && SameRow(a, o) && a.l < o.r && o.l < a.r) {
        const int mid = (std::max(a.l, o.l) + std::min(a.r, o.r)) / 2;
        (a.l < o.l ? a.r : a.l) = a.l < o.l ? mid - 1 : mid + 1;
      }
  for (const Rect& b : boxes) {
    const Rect r = Local(b);
    PaintScreen(cr, r.l + 1, r.t + 1, r.r - r.l - 2, r.b - r.t - 1, 3);
  }
}

void PrintLabel(cairo_t* cr, const Control& c)
{
  const Rect r = ControlRect(c);
  const double cx = (r.l + r.r) / 2.0 - kOriginX;
  if (c.labelAt == LabelAt::Right) {
    UseFont(cr, Font::Title, 9);
    SetColour(cr, Accent(c.section));
    cairo_text_extents_t caps;
    cairo_text_extents(cr, "H", &caps);
    DrawText(cr, c.label, r.r + 4 - kOriginX, std::round((r.t + r.b) / 2.0 - kOriginY + caps.height / 2),
             1.2);
    return;
  }
  UseFont(cr, Font::Label, 7.5);
  SetColour(cr, Palette::kLabel);
  if (c.labelAt == LabelAt::Above)
    DrawTextCentred(cr, c.label, cx, r.t - kOriginY - 6, 0.8);
  else if (c.labelAt == LabelAt::Below)
    DrawTextCentred(cr, c.label, cx, r.b - kOriginY + 5, 0.8);
}

// Section titles of the knob labels printed beside a control instead of above it.
void PrintSideLabel(cairo_t* cr, const Control& c)
{
  const Rect r = ControlRect(c);
  UseFont(cr, Font::Label, 7.5);
  SetColour(cr, Palette::kLabel);
  cairo_text_extents_t caps;
  cairo_text_extents(cr, "H", &caps);
  DrawText(cr, c.label, r.r + 3 - kOriginX, std::round((r.t + r.b) / 2.0 - kOriginY + caps.height / 2), 0.8);
}
}  // namespace

void PaintAccentBar(cairo_t* cr, double x, double y, double w, double h)
{
  const Section order[] = {Section::InOut, Section::Filter, Section::Modulation, Section::Distortion,
                           Section::Equalizer};
  for (int i = 0; i < 5; ++i) {
    cairo_rectangle(cr, x + w * i / 5, y, w / 5, h);
    SetColour(cr, Accent(order[i]));
    cairo_fill(cr);
  }
}

void PaintScreen(cairo_t* cr, double x, double y, double w, double h, double radius)
{
  RoundedRect(cr, x, y, w, h, radius);
  SetColour(cr, Palette::kScreenEdge);
  cairo_fill(cr);
  RoundedRect(cr, x + 1, y + 1, w - 2, h - 2, std::max(0.5, radius - 1));
  FillVertical(cr, y, h, Hex(0x06080a), Hex(0x121a1f));
  cairo_move_to(cr, x + radius, y + h - 0.5);
  cairo_line_to(cr, x + w - radius, y + h - 0.5);
  SetColour(cr, Hex(0xffffff, 0.10));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

void PaintPresetDisplay(Strip& s, const SkinBitmap& b)
{
  cairo_t* cr = s.Frame(0);
  PaintScreen(cr, 0, 0, b.frameWidth - 4, b.frameHeight, 3);
}

void PaintCurveDisplay(Strip& s, const SkinBitmap& b)
{
  cairo_t* cr = s.Frame(0);
  PaintScreen(cr, 0, 0, b.frameWidth - 3, b.frameHeight, 3);
  Grid(cr, 0, 0, b.frameWidth - 3, b.frameHeight);
}

void PaintBackground(Strip& s, const SkinBitmap& b)
{
  cairo_t* cr = s.Frame(0);
  const double w = b.frameWidth, h = b.frameHeight;
  cairo_rectangle(cr, 0, 0, w, h);
  FillVertical(cr, 0, h, Hex(0x33363c), Hex(0x1e2024));
  BrushedGrain(cr, w, h, 0.035);
  // header
  UseFont(cr, Font::Brand, 31);
  SetColour(cr, Palette::kWhite);
  DrawText(cr, "SKARVEL", 24, 40, 3.5);
  const double wordWidth = TextWidth(cr, "SKARVEL", 3.5);
  PaintAccentBar(cr, 25, 46, wordWidth - 2, 2);
  UseFont(cr, Font::Label, 8);
  SetColour(cr, Palette::kLabelDim);
  DrawText(cr, "STEREO DISTORTION MULTI-EFFECT", 25, 58, 1.2);
  UseFont(cr, Font::Title, 11);
  SetColour(cr, Palette::kLabel);
  const double makerWidth = TextWidth(cr, "KERNWAVE", 3);
  DrawText(cr, "KERNWAVE", w - 24 - makerWidth, 34, 3);
  UseFont(cr, Font::Label, 8);
  SetColour(cr, Palette::kLabelDim);
  const double tagWidth = TextWidth(cr, "VST2  \xC2\xB7  1.3.3  FREE", 1);
  DrawText(cr, "VST2  \xC2\xB7  1.3.3  FREE", w - 24 - tagWidth, 48, 1);
  // the well the pages sit in
  RoundedRect(cr, kOriginX - 1.5, kOriginY - 1.5, 483, 383, 5);
  SetColour(cr, Hex(0x000000, 0.6));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  cairo_rectangle(cr, kOriginX, kOriginY, 480, 380);
  FillVertical(cr, kOriginY, 380, Hex(0x1a1c20), Hex(0x24272c));
  // footer
  UseFont(cr, Font::Label, 7.5);
  SetColour(cr, Palette::kLabelDim);
  DrawText(cr, "\xC2\xA9 KERNWAVE", 24, 462, 1);
  const double footWidth = TextWidth(cr, "SKARVEL 1.3.3", 1);
  DrawText(cr, "SKARVEL 1.3.3", w - 24 - footWidth, 462, 1);
  for (double x : {8.0, w - 8})
    for (double y : {8.0, h - 8}) Screw(cr, x, y);
}

void PaintControlsBackground(Strip& s, const SkinBitmap& b)
{
  cairo_t* cr = s.Frame(0);
  const double w = b.frameWidth, h = b.frameHeight;
  cairo_rectangle(cr, 0, 0, w, h);
  FillVertical(cr, 0, h, Hex(0x2d3035), Hex(0x23252a));
  BrushedGrain(cr, w, h, 0.03);
  for (const Frame& f : kFrames) {
    if (!f.display)
      PanelWell(cr, f.rect, Accent(f.section));
    else {
      const Rect r = Local(f.rect);
      PaintScreen(cr, r.l, r.t, r.r - r.l, r.b - r.t, 4);
      if (f.section == Section::Distortion) Grid(cr, r.l, r.t, r.r - r.l, r.b - r.t);
    }
    if (*f.title) {
      UseFont(cr, Font::Title, 9);
      SetColour(cr, Accent(f.section));
      DrawText(cr, f.title, f.rect.l + 6 - kOriginX, f.rect.t + 12 - kOriginY, 1.2);
    }
  }
  ReadoutBoxes(cr);
  for (const Control& c : kControls) {
    if (c.page != Page::Effect || !*c.label) continue;
    if (c.labelAt == LabelAt::Right && c.kind == Kind::Knob)
      PrintSideLabel(cr, c);
    else
      PrintLabel(cr, c);
  }
}

void PaintVersionPlaque(Strip& s, const SkinBitmap& b)
{
  cairo_t* cr = s.Frame(0);
  const double w = b.frameWidth, h = b.frameHeight;
  RoundedRect(cr, 0.5, 0.5, w - 1, h - 1, 5);
  FillVertical(cr, 0, h, Hex(0x383c43), Hex(0x25282d));
  RoundedRect(cr, 0.5, 0.5, w - 1, h - 1, 5);
  SetColour(cr, Hex(0x000000, 0.6));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  UseFont(cr, Font::Brand, 19);
  SetColour(cr, Palette::kWhite);
  const double tw = TextWidth(cr, "SKARVEL", 2.2);
  DrawText(cr, "SKARVEL", std::round((w - tw) / 2), 26, 2.2);
  PaintAccentBar(cr, std::round((w - tw) / 2), 31, tw, 2);
  UseFont(cr, Font::Label, 8);
  SetColour(cr, Palette::kLabel);
  DrawTextCentred(cr, "VERSION 1.3.3  \xC2\xB7  FREE", w / 2, 44, 1);
  for (double x : {6.0, w - 6})
    for (double y : {6.0, h - 6}) {
      cairo_arc(cr, x, y, 1.6, 0, 2 * M_PI);
      SetColour(cr, Hex(0x15171a));
      cairo_fill(cr);
    }
}

void PaintAboutTitle(Strip& s, const SkinBitmap& b)
{
  cairo_t* cr = s.Frame(0);
  const double w = b.frameWidth;
  UseFont(cr, Font::Brand, 36);
  SetColour(cr, Palette::kWhite);
  const double tw = TextWidth(cr, "SKARVEL", 5);
  DrawText(cr, "SKARVEL", std::round((w - tw) / 2), 34, 5);
  PaintAccentBar(cr, std::round((w - tw) / 2), 40, tw, 2);
  UseFont(cr, Font::Label, 9);
  SetColour(cr, Palette::kLabel);
  DrawTextCentred(cr, "VERSION 1.3.3  \xC2\xB7  FREE EDITION", w / 2, 50, 1.5);
}

void PaintMakerMark(Strip& s, const SkinBitmap& b)
{
  cairo_t* cr = s.Frame(0);
  const double w = b.frameWidth;
  UseFont(cr, Font::Title, 22);
  const double tw = TextWidth(cr, "KERNWAVE", 9);
  const double x = std::round((w - tw) / 2), base = 30;
  SetColour(cr, Palette::kLabel);
  DrawText(cr, "KERNWAVE", x, base, 9);
  // the reflection: the word mirrored under its baseline, fading out
  cairo_push_group(cr);
  cairo_translate(cr, 0, 2 * base + 2);
  cairo_scale(cr, 1, -1);
  SetColour(cr, Palette::kLabel.WithAlpha(0.35));
  DrawText(cr, "KERNWAVE", x, base, 9);
  cairo_pattern_t* word = cairo_pop_group(cr);
  cairo_pattern_t* fade = cairo_pattern_create_linear(0, base + 2, 0, base + 20);
  cairo_pattern_add_color_stop_rgba(fade, 0, 0, 0, 0, 1);
  cairo_pattern_add_color_stop_rgba(fade, 1, 0, 0, 0, 0);
  cairo_set_source(cr, word);
  cairo_mask(cr, fade);
  cairo_pattern_destroy(fade);
  cairo_pattern_destroy(word);
}

void PaintAboutText(Strip& s, const SkinBitmap& b)
{
  cairo_t* cr = s.Frame(0);
  const double w = b.frameWidth;
  const char* lines[] = {
    "A stereo distortion multi-effect: multimode filter, ring modulator,",
    "phaser, 29 waveshaping types with five interpolation modes,",
    "bit-crush, sample-rate reduction, gate, equaliser and dump/expand.",
    "",
    "Design, DSP and art: Kernwave.",
    "PNG decoding by libpng and zlib. RBJ filter designs after",
    "Robert Bristow-Johnson's Audio EQ Cookbook.",
    "VST is a trademark of Steinberg Media Technologies GmbH.",
  };
  UseFont(cr, Font::Body, 11.5);
  double y = 14;
  for (const char* line : lines) {
    SetColour(cr, y < 50 ? Palette::kWhite : Palette::kLabel);
    DrawTextCentred(cr, line, w / 2, y, 0);
    y += 15.5;
  }
}

void PaintPluginBadge(Strip& s, const SkinBitmap& b)
{
  cairo_t* cr = s.Frame(0);
  const double w = b.frameWidth, h = b.frameHeight;
  RoundedRect(cr, 1, 1, w - 2, h - 2, 6);
  SetColour(cr, Palette::kLabel);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  UseFont(cr, Font::Brand, 25);
  SetColour(cr, Palette::kWhite);
  DrawTextCentred(cr, "VST", w / 2, 21, 2);
  UseFont(cr, Font::Label, 8);
  SetColour(cr, Palette::kLabel);
  DrawTextCentred(cr, "PLUG-IN", w / 2, 43, 1.2);
}
