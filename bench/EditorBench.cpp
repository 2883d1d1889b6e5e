// The editor: decoding all of its art, building the effect with its whole layout (bitmaps come
// from the process-wide cache after the first instance), one full repaint, and the repaint of
// one knob.
#include <benchmark/benchmark.h>

#include "draw/LICE_MemBitmap.h"
#include "draw/PngResource.h"
#include "gui/IGraphics.h"
#include "skarvel/PanelLayout.h"
#include "skarvel/Skarvel.h"

// Every bitmap of the layout decoded whole, one after the other, into fresh memory each time.
static void DecodeAllArt(benchmark::State& state)
{
  for (auto _ : state)
    for (const PanelLayout::SkinBitmap& b : PanelLayout::kBitmaps) delete LoadPngResource(b.id, b.fileName);
}
BENCHMARK(DecodeAllArt)->Unit(benchmark::kMillisecond);

static void ConstructEffectWithEditor(benchmark::State& state)
{
  delete new Skarvel(nullptr);  // the first instance decodes the bitmaps
  for (auto _ : state) {
    Skarvel fx(nullptr);
    benchmark::DoNotOptimize(fx.GetGUI());
  }
}
BENCHMARK(ConstructEffectWithEditor)->Unit(benchmark::kMillisecond);

static void RepaintWholeEditor(benchmark::State& state)
{
  Skarvel fx(nullptr);
  IGraphics* g = fx.GetGUI();
  for (auto _ : state) g->DrawArea(EditorRect(0, 0, g->Width(), g->Height()));
}
BENCHMARK(RepaintWholeEditor)->Unit(benchmark::kMicrosecond);

static void RepaintOneKnob(benchmark::State& state)
{
  Skarvel fx(nullptr);
  IGraphics* g = fx.GetGUI();
  double v = 0.0;
  for (auto _ : state) {
    v = v < 1.0 ? v + 0.01 : 0.0;
    g->UpdateControlsFromPlug(kFilterCutoff, v, true);
    EditorRect r;
    g->CollectDirtyArea(r);
    g->DrawArea(r);
  }
}
BENCHMARK(RepaintOneKnob)->Unit(benchmark::kMicrosecond);
