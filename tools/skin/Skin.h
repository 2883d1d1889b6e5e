#pragma once

#include <string>

#include "skarvel/PanelLayout.h"
#include "tools/skin/Canvas.h"

// The painters of the skin. Each paints one bitmap of the layout into a strip of its size.

Colour Accent(PanelLayout::Section s);
// The section and printed label of the first control that shows the bitmap.
PanelLayout::Section SectionOf(int bitmapId);
std::string LabelOf(int bitmapId);

// Filmstrip knob: body, pointer and value arc over 300 degrees; bipolar arcs start at the top.
void PaintKnob(Strip& s, const PanelLayout::SkinBitmap& b, const Colour& accent, bool bipolar);

// Two-frame buttons: frame 1 released or off, frame 2 pressed or on.
void PaintPushButton(Strip& s, const PanelLayout::SkinBitmap& b, const std::string& label,
                     const Colour& accent);
void PaintLatchButton(Strip& s, const PanelLayout::SkinBitmap& b, const std::string& label,
                      const Colour& led);
void PaintLedSwitch(Strip& s, const PanelLayout::SkinBitmap& b);
void PaintArrow(Strip& s, const PanelLayout::SkinBitmap& b, int direction,
                const Colour& accent);  // 0 left, 1 right, 2 up, 3 down
void PaintTab(Strip& s, const PanelLayout::SkinBitmap& b, const std::string& label);
void PaintSliderTrack(Strip& s, const PanelLayout::SkinBitmap& b);
void PaintSliderHandle(Strip& s, const PanelLayout::SkinBitmap& b, const Colour& accent);

// Screens, panels and brand art.
void PaintScreen(cairo_t* cr, double x, double y, double w, double h, double radius);
void PaintPresetDisplay(Strip& s, const PanelLayout::SkinBitmap& b);
void PaintCurveDisplay(Strip& s, const PanelLayout::SkinBitmap& b);
void PaintBackground(Strip& s, const PanelLayout::SkinBitmap& b);
void PaintControlsBackground(Strip& s, const PanelLayout::SkinBitmap& b);
void PaintVersionPlaque(Strip& s, const PanelLayout::SkinBitmap& b);
void PaintAboutTitle(Strip& s, const PanelLayout::SkinBitmap& b);
void PaintMakerMark(Strip& s, const PanelLayout::SkinBitmap& b);
void PaintAboutText(Strip& s, const PanelLayout::SkinBitmap& b);
void PaintPluginBadge(Strip& s, const PanelLayout::SkinBitmap& b);
void PaintAccentBar(cairo_t* cr, double x, double y, double w, double h);
