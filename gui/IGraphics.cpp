#include "gui/IGraphics.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "draw/LICE_Blit.h"
#include "draw/LICE_CachedFont.h"
#include "draw/LICE_Line.h"
#include "draw/LICE_MemBitmap.h"
#include "draw/LICE_SysBitmap.h"
#include "draw/LICE_SystemFont.h"
#include "draw/PngResource.h"
#include "gui/BitmapCache.h"
#include "gui/FontCache.h"
#include "gui/IBitmapControl.h"
#include "gui/IControl.h"
#include "gui/IPopupMenu.h"
#include "gui/LazySkinBitmap.h"
#include "gui/ParallelFor.h"
#include "plug/IPlugBase.h"

namespace {

int BlitMode(const BlendMode* blend)
{
  switch (blend ? blend->method : BlendMode::kNone) {
    case BlendMode::kClobber: return LICE_BLIT_MODE_COPY;
    case BlendMode::kAdd: return LICE_BLIT_MODE_ADD | LICE_BLIT_USE_ALPHA;
    case BlendMode::kColourDodge: return LICE_BLIT_MODE_DODGE | LICE_BLIT_USE_ALPHA;
    default: return LICE_BLIT_MODE_COPY | LICE_BLIT_USE_ALPHA;
  }
}

float BlitWeight(const BlendMode* blend) { return blend ? blend->weight : 1.0f; }

LICE_Rect ToLice(const EditorRect& r) { return {r.L, r.T, r.R, r.B}; }

unsigned int TextFlags(const TextStyle& style)
{
  unsigned int flags = LICE_DT_NOCLIP;
  if (style.align == TextStyle::kAlignCentre) flags |= LICE_DT_CENTER;
  if (style.align == TextStyle::kAlignRight) flags |= LICE_DT_RIGHT;
  if (style.colour.A != 255) flags |= LICE_DT_USEFGALPHA;
  return flags;
}

// A new font for the style that owns its system font and draws natively where it can.
LICE_CachedFont* CreateFont(const TextStyle& style)
{
  LICE_FontDesc desc;
  desc.height = style.size;
  desc.escapement = desc.orientation = style.orientation * 10;
  desc.weight = style.style == TextStyle::kStyleBold ? 700 : 400;
  desc.italic = style.style == TextStyle::kStyleItalic;
  desc.quality = style.quality;
  desc.face = style.face;
  LICE_FontHandle handle = LICE_CreateFont(desc);
  if (!handle) return nullptr;
  LICE_CachedFont* font = new LICE_CachedFont;
  font->SetFromHFont(handle, LICE_FONT_FLAG_OWNS_HFONT | LICE_FONT_FLAG_FORCE_NATIVE);
  return font;
}

LICE_CachedFont* StyleFont(TextStyle& style)
{
  if (!style.font) style.font = FontCache::Instance().Acquire(style, [&] { return CreateFont(style); });
  return style.font;
}

// Where frame `frame` (1-based) starts along the strip.
int FrameOffset(const SkinBitmap& b, int frame)
{
  if (b.N < 2 || frame < 2) return 0;
  const int strip = b.framesAreHorizontal ? b.W : b.H;
  return static_cast<int>(std::floor(static_cast<double>(strip) * (frame - 1) / b.N + 0.5));
}

// The rows from the top of the bitmap that drawing its frame `frame` (0: any part) reads.
int RowsToDraw(const SkinBitmap& b, int frame)
{
  if (frame <= 0 || b.framesAreHorizontal) return b.H;
  return std::min(b.H, FrameOffset(b, frame) + b.FrameHeight());
}

// Plain parameter value to 0..1 through the parameter's range and shape.
double Normalise(const IPlugParam& p, double v)
{
  const double range = p.maximum - p.minimum;
  if (!(range > 0.0)) return 0.0;
  const double x = (p.Clamp(v) - p.minimum) / range;
  return std::pow(x, 1.0 / p.shape);
}

}  // namespace

IGraphics::IGraphics(IPlugBase* p, int w, int h, int f) : plug(p), width(w), height(h), fps(f) {}

IGraphics::~IGraphics()
{
  keyCatcher.reset();
  DestroyControls();
}

void IGraphics::DestroyControls()
{
  while (!controls.empty()) controls.pop_back();
}

LICE_IBitmap* IGraphics::LoadSkinBitmap(int resourceId, const char* fileName, int rows)
{
  return LazySkinBitmap::Decode(resourceId, fileName, rows);
}

int IGraphics::AttachControl(IControl* control)
{
  if (!control) return -1;
  controls.emplace_back(control);
  return NControls() - 1;
}

void IGraphics::AttachBackground(const SkinBitmap& bitmap)
{
  IControl* bg = new IBitmapControl(plug, 0, 0, -1, bitmap, BlendMode::kClobber);
  controls.insert(controls.begin(), std::unique_ptr<IControl>(bg));
}

IControl* IGraphics::GetControl(int i) const
{
  return i >= 0 && i < NControls() ? controls[i].get() : nullptr;
}

void IGraphics::SetKeyCatcher(IControl* control) { keyCatcher.reset(control); }

void IGraphics::SetAllControlsDirty()
{
  for (auto& c : controls) c->MarkDirty(false);
}

LICE_IBitmap* IGraphics::DecodedBitmap(int resourceId, const char* fileName)
{
  return BitmapCache::Instance().Acquire(resourceId, [&] { return LoadSkinBitmap(resourceId, fileName, 0); });
}

// Decoding is most of the first paint's time; each bitmap decodes on its own, so they are
// spread over the processor's cores, the largest first so that none is left for the end. The
// paint waits for all of them. A filmstrip is decoded down to the frames its controls show;
// drawing a later frame decodes on to it. The art repeats some strips under several ids:
// those are decoded once and shared. Two editors decoding the same art at once only cost
// double work: the cache keeps one of each. The font system's set-up, which the paint's text
// would wait for next, runs beside the decoding as one more task.
void IGraphics::DecodeBitmapsToPaint(const EditorRect& r)
{
  struct Missing
  {
    const SkinBitmap* bitmap;
    int rows;         // to decode now
    size_t original;  // the first missing bitmap with the same resource bytes (the same id too)
  };
  std::vector<Missing> missing;
  std::vector<size_t> distinct;
  for (auto& c : controls) {
    const SkinBitmap* b = c->IsHidden() || !c->GetRECT().Overlaps(r) ? nullptr : c->DrawnBitmap();
    if (!b || b->bitmap) continue;
    b->bitmap = BitmapCache::Instance().Find(b->resourceId);
    if (b->bitmap) continue;
    Missing m{b, RowsToDraw(*b, c->DrawnFrame()), missing.size()};
    for (size_t d : distinct)
      if (SamePngResource(missing[d].bitmap->resourceId, b->resourceId)) {
        m.original = d;
        missing[d].rows = std::max(missing[d].rows, m.rows);
        break;
      }
    if (m.original == missing.size()) distinct.push_back(m.original);
    missing.push_back(m);
  }
  if (missing.empty()) return;
  std::stable_sort(distinct.begin(), distinct.end(), [&](size_t a, size_t b) {
    return static_cast<long long>(missing[a].bitmap->W) * missing[a].rows >
           static_cast<long long>(missing[b].bitmap->W) * missing[b].rows;
  });
  std::vector<LICE_IBitmap*> decoded(missing.size(), nullptr);
  ParallelFor(static_cast<int>(distinct.size()) + 1, ComputeWorkers(), [&](int k) {
    if (k == 0) {
      LICE_PrepareFontSystem();
      return;
    }
    const Missing& m = missing[distinct[k - 1]];
    decoded[distinct[k - 1]] = LoadSkinBitmap(m.bitmap->resourceId, m.bitmap->fileName, m.rows);
  });
  BitmapCache& cache = BitmapCache::Instance();
  for (size_t i = 0; i < missing.size(); ++i) {
    const SkinBitmap* b = missing[i].bitmap;
    const size_t o = missing[i].original;
    b->bitmap =
      o == i ? cache.Adopt(b->resourceId, decoded[i]) : cache.Share(b->resourceId, missing[o].bitmap->bitmap);
  }
}

// Controls need only the size, which the PNG header tells; the pixels are decoded when first
// drawn, so a host that creates instances to scan them and never opens an editor decodes nothing.
SkinBitmap IGraphics::LoadBitmap(int resourceId, const char* fileName, int frames)
{
  SkinBitmap b;
  b.N = frames > 0 ? frames : 1;
  b.resourceId = resourceId;
  b.fileName = fileName;
  b.bitmap = BitmapCache::Instance().Find(resourceId);
  if (!b.bitmap && ReadPngResourceSize(resourceId, fileName, b.W, b.H)) return b;
  if (!b.bitmap) b.bitmap = DecodedBitmap(resourceId, fileName);
  if (b.bitmap) {
    b.W = b.bitmap->getWidth();
    b.H = b.bitmap->getHeight();
  }
  return b;
}

void IGraphics::UpdateControlsFromPlug(int paramIdx, double value, bool normalized)
{
  if (!normalized) {
    const IPlugParam* p = plug ? plug->GetParam(paramIdx) : nullptr;
    if (!p) return;
    value = Normalise(*p, value);
  }
  for (auto& c : controls) {
    if (c->ParamIdx() == paramIdx) c->ApplyValueFromPlug(value);
    for (int j = 0; j < c->NAuxBindings(); ++j)
      if (c->GetAuxBinding(j).paramIdx == paramIdx) {
        c->ApplyAuxValueFromPlug(j, value);
        break;
      }
  }
}

void IGraphics::PrepDraw()
{
  drawPrepared = true;
  scratchBitmap = std::make_unique<LICE_MemBitmap>();
}

LICE_IBitmap* IGraphics::GetDrawBitmap()
{
  if (!drawBitmap && drawPrepared) drawBitmap = std::make_unique<LICE_SysBitmap>(width, height);
  return drawBitmap.get();
}

void IGraphics::Resize(int w, int h)
{
  ReleaseMouseCapture();
  width = w;
  height = h;
  keyCatcher.reset();
  DestroyControls();
  drawBitmap.reset();
  scratchBitmap.reset();
  PrepDraw();
  if (plug) plug->ResizeGraphics(w, h);
}

void IGraphics::PromptUserInput(IControl* control, IPlugParam* param, const EditorRect& r)
{
  if (!control || !param) return;
  char current[IPlugParam::kTextLen];
  param->GetDisplayForHost(current);
  const bool listed =
    param->kind == IPlugParam::kEnum || (param->kind == IPlugParam::kBool && param->NDisplayTexts() > 0);
  if (listed) {
    IPopupMenu menu;
    for (int i = 0; i < param->NDisplayTexts(); ++i) {
      const char* text = param->GetDisplayTextEntry(i).text;
      menu.AddItem(text, std::strcmp(text, current) == 0 ? IPopupMenu::kChecked : 0);
    }
    if (CreatePopupMenu(menu, r)) {
      const double v = Normalise(*param, menu.GetChosenItemIdx());
      if (v != control->GetValue()) {
        control->SetValue(v);
        control->MarkDirty(true);
        control->RequestRedraw();
      }
    }
  } else {
    CreateTextEntry(control, control->GetTextStyle(), r, current, param);
  }
  control->RequestRedraw();
}

// --- Drawing ---------------------------------------------------------------------------

bool IGraphics::DrawSkinBitmap(const SkinBitmap& bitmap, const EditorRect& dest, int srcX, int srcY,
                               const BlendMode* blend)
{
  const EditorRect r = dest.Intersect(drawRect);
  if (r.Empty()) return true;
  const int dx = srcX - dest.L, dy = srcY - dest.T;
  const LICE_Rect src{r.L + dx, r.T + dy, r.R + dx, r.B + dy};
  if (!bitmap.bitmap) bitmap.bitmap = DecodedBitmap(bitmap.resourceId, bitmap.fileName);
  LazySkinBitmap::EnsureRows(bitmap.bitmap, src.bottom);
  LICE_Blit(GetDrawBitmap(), bitmap.bitmap, r.L, r.T, &src, BlitWeight(blend), BlitMode(blend));
  return true;
}

int IGraphics::FrameForValue(int frames, double value)
{
  const double k = 1.0 + std::floor((frames - 1) * value + 0.5);
  if (!(k >= 1.0)) return 1;
  return k > frames ? frames : static_cast<int>(k);
}

bool IGraphics::DrawBitmapFrame(const SkinBitmap& bitmap, const EditorRect& dest, int frame,
                                const BlendMode* blend)
{
  const int offset = FrameOffset(bitmap, frame);
  return bitmap.framesAreHorizontal ? DrawSkinBitmap(bitmap, dest, offset, 0, blend)
                                    : DrawSkinBitmap(bitmap, dest, 0, offset, blend);
}

bool IGraphics::DrawText(TextStyle& style, const char* text, const EditorRect& rect)
{
  if (!text || !text[0]) return true;
  LICE_CachedFont* font = StyleFont(style);
  if (!font) return false;
  font->SetTextColor(style.colour.Pack());
  LICE_Rect r = ToLice(rect);
  font->DrawText(GetDrawBitmap(), text, -1, &r, TextFlags(style));
  return true;
}

bool IGraphics::MeasureText(TextStyle& style, const char* text, EditorRect& rect)
{
  LICE_CachedFont* font = StyleFont(style);
  if (!font || !text) return false;
  LICE_Rect r = ToLice(rect);
  font->DrawText(nullptr, text, -1, &r, LICE_DT_CALCRECT);
  const int w = r.right - r.left, h = r.bottom - r.top;
  int left = rect.L;
  if (style.align == TextStyle::kAlignCentre) left += (rect.W() - w) / 2;
  if (style.align == TextStyle::kAlignRight) left = rect.R - w;
  rect = {left, rect.T, left + w, rect.T + h};
  return true;
}

bool IGraphics::DrawLine(const EditorColour& colour, int x1, int y1, int x2, int y2, const BlendMode* blend,
                         bool antialias)
{
  LICE_Line(GetDrawBitmap(), x1, y1, x2, y2, colour.Pack(), BlitWeight(blend),
            BlitMode(blend) & LICE_BLIT_MODE_MASK, antialias);
  return true;
}

// --- Mouse and keys --------------------------------------------------------------------

int IGraphics::FindControl(int x, int y, bool forMouseOver)
{
  if (captured >= 0) return captured < NControls() ? captured : -1;
  for (int i = NControls() - 1; i >= 0; --i) {
    IControl* c = controls[i].get();
    if (c->IsHidden()) continue;
    if (c->IsGreyed() && !(forMouseOver && c->MouseOverWhenGreyed())) continue;
    if (c->HitTest(x, y)) return i;
  }
  return -1;
}

void IGraphics::ReleaseMouseCapture()
{
  captured = -1;
  lastX = lastY = -1;
}

void IGraphics::OnMouseDown(int x, int y, const MouseModifiers& mod)
{
  ReleaseMouseCapture();
  const int i = FindControl(x, y);
  if (i < 0) return;
  captured = i;
  lastX = x;
  lastY = y;
  IControl* c = controls[i].get();
  c->MouseDown(x, y, mod);
  if (c->ParamIdx() >= 0 && plug) plug->BeginInformHostOfParamChange(c->ParamIdx());
}

void IGraphics::OnMouseUp(int x, int y, const MouseModifiers& mod)
{
  const int i = FindControl(x, y);
  ReleaseMouseCapture();
  if (i < 0) return;
  IControl* c = controls[i].get();
  c->MouseUp(x, y, mod);
  if (c->ParamIdx() >= 0 && plug) plug->EndInformHostOfParamChange(c->ParamIdx());
}

void IGraphics::OnMouseDrag(int x, int y, const MouseModifiers& mod)
{
  IControl* c = GetControl(captured);
  if (!c || (x == lastX && y == lastY)) return;
  const int dX = x - lastX, dY = y - lastY;
  lastX = x;
  lastY = y;
  c->MouseDrag(x, y, dX, dY, mod);
}

bool IGraphics::OnMouseDoubleClick(int x, int y, const MouseModifiers& mod)
{
  ReleaseMouseCapture();
  const int i = FindControl(x, y);
  if (i < 0) return false;
  IControl* c = controls[i].get();
  // The button's release ends a gesture, so the double-click begins one, as a press does.
  const auto beginGesture = [&] {
    if (c->ParamIdx() >= 0 && plug) plug->BeginInformHostOfParamChange(c->ParamIdx());
  };
  if (!c->DoubleClickActsAsClick()) {
    c->MouseDoubleClick(x, y, mod);
    beginGesture();
    return false;
  }
  captured = i;
  lastX = x;
  lastY = y;
  c->MouseDown(x, y, mod);
  beginGesture();
  return true;
}

bool IGraphics::OnMouseOver(int x, int y, const MouseModifiers& mod)
{
  if (!handleMouseOver) return false;
  const int i = FindControl(x, y, true);
  if (i >= 0) controls[i]->MouseOver(x, y, mod);
  if (mouseOverIdx >= 0 && mouseOverIdx != i && mouseOverIdx < NControls())
    controls[mouseOverIdx]->MouseOut();
  mouseOverIdx = i;
  return true;
}

void IGraphics::OnMouseOut()
{
  for (auto& c : controls) c->MouseOut();
  mouseOverIdx = -1;
}

void IGraphics::OnMouseWheel(int x, int y, const MouseModifiers& mod, int notches)
{
  if (IControl* c = GetControl(FindControl(x, y))) c->MouseWheel(x, y, mod, notches);
}

bool IGraphics::OnKeyDown(int x, int y, int key)
{
  const int i = FindControl(x, y);
  if (i < 1) return keyCatcher ? keyCatcher->KeyDown(x, y, key) : false;
  return controls[i]->KeyDown(x, y, key);
}

// --- Repainting ------------------------------------------------------------------------

bool IGraphics::CollectDirtyArea(EditorRect& rect)
{
  // Host automation since the last repaint reaches the controls here, on this thread.
  if (plug) plug->FlushEditorUpdates();
  bool any = false;
  for (auto& c : controls)
    if (c->NeedsRedraw()) {
      rect = rect.Union(c->GetRECT());
      any = true;
    }
  if (any) {
    idleCount = 0;
    return true;
  }
  if (++idleCount > 3) {
    for (auto& c : controls) c->IdleTick();
    idleCount = 0;
  }
  return false;
}

void IGraphics::DrawArea(const EditorRect& r)
{
  if (plug) plug->FlushEditorUpdates();
  DecodeBitmapsToPaint(r);
  drawRect = r;
  for (auto& c : controls)
    if (!c->IsHidden() && c->GetRECT().Overlaps(r)) c->Paint(this);
  // A control this area does not cover whole keeps its request: painted in part or not at
  // all, it would otherwise show a stale value until its next change.
  for (auto& c : controls)
    if (c->IsHidden() || c->GetRECT().Intersect(r) == c->GetRECT()) c->MarkClean();
  PresentRect(r);
}
