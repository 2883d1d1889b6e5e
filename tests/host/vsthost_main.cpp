// vsthost: loads a VST2 plug-in module as a host does, prints what it reports about itself
// and runs one block of a test tone through it. Exit code 0 when all of that worked.
// On Linux `--editor [SECONDS]` then opens the plug-in's editor in a window of its own and
// keeps it running for that long (0: until the window is closed); `--screenshot FILE` writes
// the window's pixels as a PNG at the end. With --render FILE it writes the reference render
// instead (tests/host/ReferenceRender.h).
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tests/host/ReferenceRender.h"
#include "tests/host/TestHost.h"
#ifdef __linux__
#include "draw/LICE_MemBitmap.h"
#include "draw/LICE_PNG.h"
#include "tests/host/EditorHost.h"
#endif

namespace {

void PrintIdentity(TestHost& host)
{
  const AEffect* e = host.Effect();
  std::printf("name: %s\n", host.DispatchText(effGetEffectName).c_str());
  std::printf("vendor: %s\n", host.DispatchText(effGetVendorString).c_str());
  std::printf("unique id: 0x%08x\n", static_cast<unsigned>(e->uniqueID));
  std::printf("version: %d\n", e->version);
  std::printf("inputs: %d\noutputs: %d\n", e->numInputs, e->numOutputs);
  std::printf("parameters: %d\nprograms: %d\n", e->numParams, e->numPrograms);
  std::printf("flags: 0x%x\n", static_cast<unsigned>(e->flags));
}

void PrintParameters(TestHost& host)
{
  for (int i = 0; i < host.Effect()->numParams; ++i)
    std::printf("param %d: %s = %s %s\n", i, host.DispatchText(effGetParamName, i).c_str(),
                host.DispatchText(effGetParamDisplay, i).c_str(),
                host.DispatchText(effGetParamLabel, i).c_str());
}

// Peak of the outputs for one block of a 440 Hz tone at half scale.
float ProcessTone(TestHost& host, int frames)
{
  const AEffect* e = host.Effect();
  FloatBuffers in(static_cast<size_t>(e->numInputs), std::vector<float>(frames));
  FloatBuffers out(static_cast<size_t>(e->numOutputs), std::vector<float>(frames));
  for (auto& ch : in)
    for (int i = 0; i < frames; ++i)
      ch[i] = static_cast<float>(0.5 * std::sin(2.0 * 3.141592653589793 * 440.0 * i / 44100.0));
  host.ProcessReplacing(in, out, frames);
  float peak = 0.0f;
  for (const auto& ch : out)
    for (float x : ch) peak = std::fabs(x) > peak ? std::fabs(x) : peak;
  return peak;
}

struct EditorOptions
{
  bool open = false;
  double seconds = 0.0;
  const char* screenshot = nullptr;
};

#ifdef __linux__
// The margin shows the host's own window around the editor.
constexpr int kHostMargin = 12;

bool SaveScreenshot(const EditorHost& editor, const char* path)
{
  int w = 0, h = 0;
  const std::vector<uint32_t> rgb = editor.Grab(editor.TopLevel(), w, h);
  if (rgb.empty()) return false;
  LICE_MemBitmap bm(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) LICE_Row(&bm, y)[x] = 0xFF000000u | rgb[static_cast<size_t>(y) * w + x];
  return WritePng(path, &bm);
}

int RunEditor(TestHost& host, const EditorOptions& o)
{
  EditorHost editor(host);
  if (!editor.Open(kHostMargin, "vsthost: Skarvel")) {
    std::fprintf(stderr, "vsthost: %s\n", editor.Error().c_str());
    return 1;
  }
  std::printf("editor: %dx%d in window 0x%lx\n", editor.EditorWidth(), editor.EditorHeight(),
              editor.TopLevel());
  std::fflush(stdout);
  if (o.seconds > 0.0)
    editor.Pump(static_cast<int>(o.seconds * 1000.0));
  else
    while (editor.IsOpen()) editor.Pump(100);
  if (o.screenshot && !SaveScreenshot(editor, o.screenshot)) {
    std::fprintf(stderr, "vsthost: cannot write %s\n", o.screenshot);
    return 1;
  }
  return 0;
}
#else
int RunEditor(TestHost&, const EditorOptions&)
{
  std::fprintf(stderr, "vsthost: the editor window is only hosted on Linux\n");
  return 1;
}
#endif

}  // namespace

int main(int argc, char** argv)
{
  if (argc < 2) {
    std::fprintf(
      stderr,
      "usage: vsthost PLUGIN [FRAMES] [--editor [SECONDS]] [--screenshot FILE] | PLUGIN --render FILE\n");
    return 2;
  }
  int frames = 512;
  const char* renderFile = nullptr;
  EditorOptions editor;
  for (int i = 2; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--editor")) {
      editor.open = true;
      if (i + 1 < argc && argv[i + 1][0] != '-') editor.seconds = std::atof(argv[++i]);
    } else if (!std::strcmp(argv[i], "--screenshot") && i + 1 < argc) {
      editor.screenshot = argv[++i];
    } else if (!std::strcmp(argv[i], "--render") && i + 1 < argc) {
      renderFile = argv[++i];
    } else {
      frames = std::atoi(argv[i]);
    }
  }
  TestHost host;
  if (!host.Load(argv[1])) {
    std::fprintf(stderr, "vsthost: %s\n", host.Error().c_str());
    return 1;
  }
  if (renderFile) {
    const std::vector<double> samples = ReferenceRender::Render(host);
    if (samples.empty() || !ReferenceRender::Write(renderFile, samples)) {
      std::fprintf(stderr, "vsthost: cannot write %s\n", renderFile);
      return 1;
    }
    return 0;
  }
  host.Start(44100.0f, frames > 0 ? frames : 512);
  PrintIdentity(host);
  PrintParameters(host);
  std::printf("program: %s\n", host.DispatchText(effGetProgramName).c_str());
  std::printf("output peak: %.6f\n", ProcessTone(host, frames > 0 ? frames : 0));
  const int status = editor.open ? RunEditor(host, editor) : 0;
  host.Close();
  return status;
}
