// Composes docs/art from the embedded resources with the drawing library itself: a contact
// sheet of every bitmap, and the editor's two pages as the layout places them (first frames
// and start-up texts, and a second effect page with knobs and switches set to sample values).
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "draw/LICE_Blit.h"
#include "draw/LICE_CachedFont.h"
#include "draw/LICE_Line.h"
#include "draw/LICE_MemBitmap.h"
#include "draw/LICE_PNG.h"
#include "draw/LICE_SysBitmap.h"
#include "draw/LICE_SystemFont.h"
#include "draw/PngResource.h"
#include "skarvel/PanelLayout.h"

using namespace PanelLayout;

namespace {
struct Loaded
{
  const SkinBitmap* info;
  std::unique_ptr<LICE_MemBitmap> bm;
};

std::vector<Loaded> LoadAll()
{
  std::vector<Loaded> all;
  for (const SkinBitmap& b : kBitmaps)
    all.push_back({&b, std::unique_ptr<LICE_MemBitmap>(LoadPngResource(b.id, b.fileName))});
  return all;
}

LICE_IBitmap* Find(std::vector<Loaded>& all, int id)
{
  for (Loaded& l : all)
    if (l.info->id == id) return l.bm.get();
  return nullptr;
}

std::unique_ptr<LICE_CachedFont> MakeFont(int height, int quality)
{
  LICE_FontDesc d;
  d.height = height;
  d.quality = quality;
  d.face = "Arial";
  auto f = std::make_unique<LICE_CachedFont>();
  f->SetFromHFont(LICE_CreateFont(d), LICE_FONT_FLAG_OWNS_HFONT | LICE_FONT_FLAG_FORCE_NATIVE);
  return f;
}

void Fill(LICE_IBitmap* bm, LICE_pixel c)
{
  for (int y = 0; y < bm->getHeight(); ++y)
    for (int x = 0; x < bm->getWidth(); ++x) LICE_Row(bm, y)[x] = c;
}

void BlitFrame(LICE_IBitmap* dest, LICE_IBitmap* src, const SkinBitmap& b, int frame, int x, int y, int mode)
{
  const LICE_Rect r{0, frame * b.frameHeight, b.frameWidth, (frame + 1) * b.frameHeight};
  LICE_Blit(dest, src, x, y, &r, 1.0f, mode);
}

// Contact sheet: knobs show five frames across their sweep, buttons both frames.
void ContactSheet(std::vector<Loaded>& all, const std::string& path)
{
  const int width = 1180, pad = 14, caption = 18;
  auto font = MakeFont(12, 2);
  font->SetTextColor(LICE_RGBA(230, 230, 230, 255));
  auto captionOf = [](const SkinBitmap& b) { return std::to_string(b.id) + " " + b.fileName; };
  std::vector<std::pair<int, int>> at;
  int x = pad, y = pad, rowH = 0;
  auto shown = [](const SkinBitmap& b) { return b.frames == 128 ? 5 : b.frames; };
  for (Loaded& l : all) {
    LICE_Rect measured{0, 0, 0, 0};
    font->DrawText(nullptr, captionOf(*l.info).c_str(), -1, &measured, LICE_DT_CALCRECT);
    const int w = std::max(shown(*l.info) * (l.info->frameWidth + 4), measured.right);
    const int h = l.info->frameHeight + caption;
    if (x + w > width - pad) x = pad, y += rowH + pad, rowH = 0;
    at.push_back({x, y});
    x += w + pad;
    rowH = std::max(rowH, h);
  }
  LICE_MemBitmap sheet(width, y + rowH + pad);
  Fill(&sheet, LICE_RGBA(58, 60, 64, 255));
  for (size_t i = 0; i < all.size(); ++i) {
    const SkinBitmap& b = *all[i].info;
    for (int k = 0; k < shown(b); ++k) {
      const int frame = b.frames == 128 ? k * 127 / 4 : k;
      BlitFrame(&sheet, all[i].bm.get(), b, frame, at[i].first + k * (b.frameWidth + 4), at[i].second,
                LICE_BLIT_MODE_COPY | LICE_BLIT_USE_ALPHA);
    }
    LICE_Rect r{at[i].first, at[i].second + b.frameHeight + 2, at[i].first + 600,
                at[i].second + b.frameHeight + caption};
    font->DrawText(&sheet, captionOf(b).c_str(), -1, &r, LICE_DT_NOCLIP);
  }
  WritePng(path.c_str(), &sheet);
}

LICE_pixel StyleColour(Style s)
{
  return s == Style::T3 || s == Style::T4 ? LICE_RGBA(127, 255, 255, 255) : LICE_RGBA(255, 255, 255, 255);
}

// The curve display's drawing rule, on a sample transfer curve.
void SampleCurve(LICE_IBitmap* dest, const Rect& r, bool coloured, double drive)
{
  const int n = 98, W = r.r - r.l, H = r.b - r.t, h = H / 2;
  int px = 0, py = 0;
  for (int i = 0; i < n; ++i) {
    const double in = -1.0 + 2.0 * i / (n - 1);
    const double v = std::tanh(in * drive) / std::tanh(drive);
    const int x = int(float(r.l + i * W / double(n))), y = int(float(r.t + h - h * v));
    int c = 255;
    if (coloured && i > 1)
      c = 100 + int(std::floor(155 * std::sin(3.14159 * (i - 1) / double(n))));
    else if (coloured)
      c = 100;
    LICE_Line(dest, i ? px : x, i ? py : y, x, y, LICE_RGBA(c, c, c, 255), 1.0f, LICE_BLIT_USE_ALPHA, false);
    px = x, py = y;
  }
}

double SampleValue(int param)
{
  static const double values[30] = {0.75, 0.5, 0.3, 0.8,  0.65, 0.1,  0.55, 0.2, 1,    0.25,
                                    1,    0.4, 0.7, 0.35, 0.33, 0.66, 1,    0.3, 0.45, 0.6,
                                    0.4,  0.3, 1,   0.62, 0.45, 0.58, 0.5,  0,   0.2,  0.6};
  return param >= 0 && param < 30 ? values[param] : 0.0;
}

// A quarter of a page at three times the size, for looking at single pixels.
void WriteZoom(LICE_IBitmap* src, int x0, int y0, const std::string& path)
{
  const int w = kWidth / 2, h = kHeight / 2, z = 3;
  LICE_MemBitmap out(w * z, h * z);
  for (int y = 0; y < h * z; ++y)
    for (int x = 0; x < w * z; ++x) LICE_Row(&out, y)[x] = LICE_Row(src, y0 + y / z)[x0 + x / z];
  WritePng(path.c_str(), &out);
}

std::string zoomDir;

void RenderPage(std::vector<Loaded>& all, bool about, bool sampled, const std::string& path)
{
  LICE_SysBitmap panel(kWidth, kHeight);
  auto font = MakeFont(13, 1);
  for (const Control& c : kControls) {
    if ((about && c.page == Page::Effect) || (!about && c.page == Page::About)) continue;
    const Rect r = ControlRect(c);
    if (const SkinBitmap* b = FindBitmap(c.bitmapId); b && c.kind != Kind::FileSelector) {
      const double v = c.kind == Kind::TabButton ? (c.arg == int(about) ? 1.0 : 0.0)
                       : sampled                 ? SampleValue(c.param)
                                                 : 0.0;
      const int frame = b->frames > 1 ? int(std::floor((b->frames - 1) * v + 0.5)) : 0;
      const bool clobber = c.bitmapId == 1103;
      const int slide = c.kind == Kind::Fader ? int((c.arg - b->frameWidth) * v) : 0;
      BlitFrame(&panel, Find(all, b->id), *b, frame, r.l + slide, r.t,
                clobber ? LICE_BLIT_MODE_COPY : LICE_BLIT_USE_ALPHA);
    }
    if (c.kind == Kind::Curve) SampleCurve(&panel, r, c.arg == 1, sampled ? 3.5 : 1.5);
    std::string text = c.text;
    if (c.role == Role::SampleRateText)
      text = "Host smp. rate: 44100.0Hz";
    else if (c.kind == Kind::Caption)
      text = "0.350";
    else if (sampled && c.role == Role::PresetNameText)
      text = "12: Warm Crunch";
    if (text.empty() || c.style == Style::None) continue;
    font->SetTextColor(StyleColour(c.style));
    LICE_Rect tr{r.l, r.t, r.r, r.b};
    font->DrawText(&panel, text.c_str(), -1, &tr,
                   (c.style == Style::T1 ? LICE_DT_CENTER : 0) | LICE_DT_NOCLIP);
  }
  WritePng(path.c_str(), &panel);
  if (!zoomDir.empty())
    for (int q = 0; q < 4; ++q)
      WriteZoom(&panel, (q % 2) * kWidth / 2, (q / 2) * kHeight / 2,
                zoomDir + "/zoom" + std::to_string(q) + "_" + path.substr(path.rfind('/') + 1));
}
}  // namespace

int main(int argc, char** argv)
{
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: skin_preview <docs/art> [folder for 3x zoomed quarters]\n");
    return 2;
  }
  if (argc == 3) zoomDir = argv[2];
  const std::string dir = argv[1];
  std::vector<Loaded> all = LoadAll();
  for (Loaded& l : all)
    if (!l.bm) {
      std::fprintf(stderr, "skin_preview: resource %d does not load\n", l.info->id);
      return 1;
    }
  ContactSheet(all, dir + "/contact_sheet.png");
  RenderPage(all, false, false, dir + "/panel_mock.png");
  RenderPage(all, false, true, dir + "/panel_mock_values.png");
  RenderPage(all, true, false, dir + "/about_mock.png");
  return 0;
}
