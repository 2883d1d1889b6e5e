// Writes every bitmap of the editor's layout into the given folder (resources/img/kernwave),
// with the layout's file names, sizes and frame counts. Deterministic: the same fonts give
// the same files.
#include <sys/stat.h>

#include <cstdio>
#include <functional>
#include <map>
#include <string>

#include "tools/skin/Skin.h"

using namespace PanelLayout;

Colour Accent(Section s)
{
  switch (s) {
    case Section::Filter: return Hex(0x3cc9e6);
    case Section::Modulation: return Hex(0xa884ff);
    case Section::Distortion: return Hex(0xff7f3a);
    case Section::Equalizer: return Hex(0x93d65a);
    case Section::InOut: return Hex(0xf5c84c);
    case Section::Status: return Hex(0x7fffff);
    default: return Palette::kLabel;
  }
}

Section SectionOf(int bitmapId)
{
  for (const Control& c : kControls)
    if (c.bitmapId == bitmapId) return c.section;
  return Section::Frame;
}

std::string LabelOf(int bitmapId)
{
  for (const Control& c : kControls)
    if (c.bitmapId == bitmapId) return c.label;
  return "";
}

namespace {
using Painter = std::function<void(Strip&, const SkinBitmap&)>;

Painter Knob(bool bipolar)
{
  return [bipolar](Strip& s, const SkinBitmap& b) { PaintKnob(s, b, Accent(SectionOf(b.id)), bipolar); };
}

Painter Push()
{
  return [](Strip& s, const SkinBitmap& b) { PaintPushButton(s, b, LabelOf(b.id), Accent(SectionOf(b.id))); };
}

Painter Latch(const Colour& led)
{
  return [led](Strip& s, const SkinBitmap& b) { PaintLatchButton(s, b, LabelOf(b.id), led); };
}

Painter Arrow(int direction)
{
  return [direction](Strip& s, const SkinBitmap& b) { PaintArrow(s, b, direction, Accent(SectionOf(b.id))); };
}

Painter Tab()
{
  return [](Strip& s, const SkinBitmap& b) { PaintTab(s, b, LabelOf(b.id)); };
}

// Bipolar knobs are the ones whose neutral setting is the middle (offset, tone, dump/expand).
const std::map<int, Painter>& Painters()
{
  static const std::map<int, Painter> painters = {
    {1103, PaintBackground},
    {1102, PaintControlsBackground},
    {1101, PaintVersionPlaque},
    {301, Tab()},
    {302, Tab()},
    {129, Push()},
    {132, Latch(Palette::kLedRed)},
    {1105, PaintAboutTitle},
    {401, PaintMakerMark},
    {1104, PaintAboutText},
    {403, PaintPluginBadge},
    {101, Knob(false)},
    {103, Knob(false)},
    {104, Knob(true)},
    {201, PaintPresetDisplay},
    {127, Arrow(0)},
    {128, Arrow(1)},
    {130, Push()},
    {131, Push()},
    {119, PaintLedSwitch},
    {122, Push()},
    {120, [](Strip& s, const SkinBitmap& b) { PaintSliderHandle(s, b, Accent(Section::Filter)); }},
    {121, PaintSliderTrack},
    {105, Knob(false)},
    {106, Knob(false)},
    {107, Knob(false)},
    {108, Knob(false)},
    {118, Knob(false)},
    {133, Knob(false)},
    {134, Knob(false)},
    {135, Knob(false)},
    {125, Arrow(2)},
    {126, Arrow(3)},
    {123, Push()},
    {124, Latch(Accent(Section::Distortion))},
    {202, PaintCurveDisplay},
    {111, Knob(true)},
    {110, Knob(true)},
    {109, Knob(true)},
    {112, Knob(true)},
    {136, Push()},
  };
  return painters;
}

void MakeFolders(const std::string& root)
{
  mkdir(root.c_str(), 0755);
  for (const char* sub : {"knobs", "buttons", "switches", "displays"})
    mkdir((root + "/" + sub).c_str(), 0755);
}
}  // namespace

int main(int argc, char** argv)
{
  if (argc != 2) {
    std::fprintf(stderr, "usage: skin <resources/img/kernwave>\n");
    return 2;
  }
  const std::string root = argv[1];
  MakeFolders(root);
  int failures = 0;
  for (const SkinBitmap& b : kBitmaps) {
    auto it = Painters().find(b.id);
    if (it == Painters().end()) {
      std::fprintf(stderr, "skin: no painter for bitmap %d\n", b.id);
      ++failures;
      continue;
    }
    Strip strip(b.frameWidth, b.frameHeight, b.frames);
    it->second(strip, b);
    if (!strip.Save(root + "/" + b.fileName)) {
      std::fprintf(stderr, "skin: cannot write %s\n", b.fileName);
      ++failures;
    }
  }
  return failures ? 1 : 0;
}
