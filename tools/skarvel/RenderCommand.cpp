#include <unistd.h>

#include <cstdio>

#include "skarvel/Skarvel.h"
#include "tools/skarvel/AudioFile.h"
#include "tools/skarvel/Command.h"
#include "tools/skarvel/DemoSignal.h"
#include "tools/skarvel/OutputFormat.h"
#include "tools/skarvel/OutputOptions.h"
#include "tools/skarvel/SessionSetup.h"

namespace {

class ProgressBar
{
public:
  ProgressBar(long total, double sampleRate, bool wanted)
      : total(total), shown(wanted && isatty(STDERR_FILENO) && total > sampleRate * 5.0)
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

// A render's command line, read and checked.
struct RenderJob
{
  Options options;
  SessionOptions session;
  std::string in;  // "" for the demo
  std::string out;
  int format = 0;
  long block = 512;
};

// The input in the precision of the render: the demo is made in float.
template <typename Sample> std::string LoadInput(const RenderJob& job, AudioBufferOf<Sample>& in)
{
  if (!job.in.empty()) return ReadAudioFile(job.in, in);
  const AudioBuffer demo = MakeDemoSignal(44100.0);
  in.sampleRate = demo.sampleRate;
  for (const std::vector<float>& channel : demo.channels)
    in.channels.emplace_back(channel.begin(), channel.end());
  return "";
}

// Runs the input through the session as a host runs a file: in float through processReplacing
// or in double through processDoubleReplacing, the same way in both.
template <typename Sample> int Render(const RenderJob& job)
{
  AudioBufferOf<Sample> in;
  std::string error = LoadInput(job, in);
  if (!error.empty()) return Fail(error);

  EffectSession session(in.sampleRate, static_cast<int>(job.block));
  error = ConfigureSession(job.session, session);
  if (!error.empty()) return Fail(error);
  if (job.options.Has("--oversampling"))
    session.Effect().SetOversampling(OversamplingOption(job.options.Value("--oversampling")));

  // As a host compensates the effect's latency: the input runs on into that many frames of
  // silence, and the output is read that many frames later.
  const long latency = session.Effect().GetLatency();
  if (latency > 0) session.Restart();
  const long frames = in.Frames() + latency;
  std::vector<Sample> left = in.channels[0];
  std::vector<Sample> right = in.channels.size() > 1 ? in.channels[1] : in.channels[0];
  left.resize(static_cast<size_t>(frames), Sample(0));
  right.resize(static_cast<size_t>(frames), Sample(0));
  AudioBufferOf<Sample> result;
  result.sampleRate = in.sampleRate;
  result.channels.assign(2, std::vector<Sample>(static_cast<size_t>(frames)));
  ProgressBar progress(frames, in.sampleRate, !job.options.Has("--quiet"));
  const long chunk = 65536;
  for (long pos = 0; pos < frames; pos += chunk) {
    const long m = frames - pos < chunk ? frames - pos : chunk;
    session.Process(left.data() + pos, right.data() + pos, result.channels[0].data() + pos,
                    result.channels[1].data() + pos, m);
    progress.Update(pos + m);
  }
  for (std::vector<Sample>& channel : result.channels)
    channel.erase(channel.begin(), channel.begin() + latency);
  error = WriteAudioFile(job.out, result, job.format, ExistingOutput(job.options));
  if (!error.empty()) return Fail(error);
  return 0;
}

// Reads and checks the command line; returns "" or the usage error.
std::string ParseRender(const std::vector<std::string>& args, RenderJob& job)
{
  std::vector<std::string> flags = SessionFlags();
  flags.insert(flags.end(), {"--block", "--oversampling", "--type", "--bits"});
  std::vector<std::string> switches = OutputSwitches();
  switches.push_back("--demo");
  Options& o = job.options;
  std::string error = ParseOptions(args, flags, switches, o);
  if (!error.empty()) return error;
  const bool demo = o.Has("--demo");
  if (o.positional.size() != (demo ? 1u : 2u)) return UsageOf("render");
  job.in = demo ? "" : o.positional[0];
  job.out = o.positional.back();
  if (o.Has("--block") && !ParseInt(o.Value("--block"), 1, 65536, job.block))
    return "--block takes a whole number from 1 to 65536";
  if (OversamplingOption(o.Value("--oversampling", "off")) == 0) return "--oversampling takes off, 2 or 4";
  error = ChooseOutputFormat(o.Value("--type"), o.Value("--bits"), job.out, job.format);
  if (error.empty()) error = ParseSessionOptions(o, job.session);
  return error;
}

}  // namespace

int RunRender(const std::vector<std::string>& args)
{
  RenderJob job;
  const std::string usage = ParseRender(args, job);
  if (!usage.empty()) return UsageError(usage);

  if (!job.in.empty() && SameFile(job.in, job.out))
    return Fail("the output '" + job.out + "' would overwrite the input");
  const std::string refusal = OutputRefusal(job.options, job.out);
  if (!refusal.empty()) return Fail(refusal);
  return HoldsDoubles(job.format) ? Render<double>(job) : Render<float>(job);
}
