#include <unistd.h>

#include <cstdio>

#include "tools/skarvel/AudioFile.h"
#include "tools/skarvel/Command.h"
#include "skarvel/Skarvel.h"
#include "tools/skarvel/DemoSignal.h"
#include "tools/skarvel/SessionSetup.h"

namespace {

class ProgressBar
{
public:
  ProgressBar(long total, double sampleRate)
      : total(total), shown(isatty(STDERR_FILENO) && total > sampleRate * 5.0)
  {}
  ~ProgressBar()
  {
    if (shown) std::fprintf(stderr, "\r%60s\r", "");
  }
  void Update(long done)
  {
    if (!shown) return;
    const int width = 40;
    const int filled = static_cast<int>(width * done / total);
    std::fprintf(stderr, "\r[%-*.*s] %3d%%", width, filled, "########################################",
                 static_cast<int>(100 * done / total));
  }

private:
  long total;
  bool shown;
};

// The factor --oversampling names: "off", "2" or "4"; 0 for anything else.
int OversamplingOption(const std::string& text)
{
  if (text == "off") return 1;
  if (text == "2" || text == "4") return text[0] - '0';
  return 0;
}

}  // namespace

int RunRender(const std::vector<std::string>& args)
{
  std::vector<std::string> flags = SessionFlags();
  flags.push_back("--block");
  flags.push_back("--oversampling");
  Options o;
  std::string error = ParseOptions(args, flags, {"--demo"}, o);
  if (!error.empty()) return Fail(error);
  const bool demo = o.Has("--demo");
  if (o.positional.size() != (demo ? 1u : 2u))
    return Fail("usage: skarvel render IN OUT | --demo OUT [--block N] [--preset N|NAME]"
                " [--preset-file FILE.kw] [--set KEY=VALUE ...] [--oversampling off|2|4]");
  long block = 512;
  if (o.Has("--block") && !ParseInt(o.Value("--block"), 1, 65536, block))
    return Fail("--block takes a whole number from 1 to 65536");
  const int oversampling = OversamplingOption(o.Value("--oversampling", "off"));
  if (oversampling == 0) return Fail("--oversampling takes off, 2 or 4");
  error = ValidateSessionOptions(o);
  if (!error.empty()) return Fail(error);

  const std::string out = o.positional.back();
  error = OutputOverwritesPresetFile(o, out);
  if (!error.empty()) return Fail(error);
  AudioBuffer in;
  if (demo) {
    in = MakeDemoSignal(44100.0);
  } else {
    const std::string& inPath = o.positional[0];
    if (SameFile(inPath, out)) return Fail("the output '" + out + "' would overwrite the input");
    error = ReadAudioFile(inPath, in);
    if (!error.empty()) return Fail(error);
  }

  EffectSession session(in.sampleRate, static_cast<int>(block));
  error = ConfigureSession(o, session);
  if (!error.empty()) return Fail(error);
  if (o.Has("--oversampling")) session.Effect().SetOversampling(oversampling);

  // As a host compensates the effect's latency: the input runs on into that many frames of
  // silence, and the output is read that many frames later.
  const long latency = session.Effect().GetLatency();
  if (latency > 0) session.Restart();
  const long frames = in.Frames() + latency;
  std::vector<float> left = in.channels[0];
  std::vector<float> right = in.channels.size() > 1 ? in.channels[1] : in.channels[0];
  left.resize(static_cast<size_t>(frames), 0.0f);
  right.resize(static_cast<size_t>(frames), 0.0f);
  AudioBuffer result;
  result.sampleRate = in.sampleRate;
  result.channels.assign(2, std::vector<float>(static_cast<size_t>(frames)));
  ProgressBar progress(frames, in.sampleRate);
  const long chunk = 65536;
  for (long pos = 0; pos < frames; pos += chunk) {
    const long m = frames - pos < chunk ? frames - pos : chunk;
    session.Process(left.data() + pos, right.data() + pos, result.channels[0].data() + pos,
                    result.channels[1].data() + pos, m);
    progress.Update(pos + m);
  }
  for (std::vector<float>& channel : result.channels)
    channel.erase(channel.begin(), channel.begin() + latency);
  error = WriteAudioFile(out, result);
  if (!error.empty()) return Fail(error);
  return 0;
}
