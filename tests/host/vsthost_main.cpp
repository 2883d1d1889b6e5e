// vsthost: loads a VST2 plug-in module as a host does, prints what it reports about itself
// and runs one block of a test tone through it. Exit code 0 when all of that worked.
// With --render FILE it writes the reference render instead (tests/host/ReferenceRender.h).
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include <cstring>

#include "tests/host/ReferenceRender.h"
#include "tests/host/TestHost.h"

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

}  // namespace

int main(int argc, char** argv)
{
  if (argc < 2) {
    std::fprintf(stderr, "usage: vsthost PLUGIN [FRAMES | --render FILE]\n");
    return 2;
  }
  const bool render = argc > 3 && std::strcmp(argv[2], "--render") == 0;
  const int frames = argc > 2 && !render ? std::atoi(argv[2]) : 512;
  TestHost host;
  if (!host.Load(argv[1])) {
    std::fprintf(stderr, "vsthost: %s\n", host.Error().c_str());
    return 1;
  }
  if (render) {
    const std::vector<double> samples = ReferenceRender::Render(host);
    if (samples.empty() || !ReferenceRender::Write(argv[3], samples)) {
      std::fprintf(stderr, "vsthost: cannot write %s\n", argv[3]);
      return 1;
    }
    return 0;
  }
  host.Start(44100.0f, frames > 0 ? frames : 512);
  PrintIdentity(host);
  PrintParameters(host);
  std::printf("program: %s\n", host.DispatchText(effGetProgramName).c_str());
  std::printf("output peak: %.6f\n", ProcessTone(host, frames > 0 ? frames : 0));
  host.Close();
  return 0;
}
