#include <gtest/gtest.h>
#include <sndfile.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <type_traits>
#include <vector>

#include "plug/module/VSTEntry.h"
#include "tests/host/EffectScenarios.h"
#include "tests/host/TestHost.h"
#include "tests/tool/ToolRun.h"

namespace {

std::vector<float> ReadInterleaved(const std::string& path, SF_INFO& info)
{
  info = {};
  SNDFILE* f = sf_open(path.c_str(), SFM_READ, &info);
  if (!f) return {};
  std::vector<float> data(static_cast<size_t>(info.frames * info.channels));
  sf_readf_float(f, data.data(), info.frames);
  sf_close(f);
  return data;
}

void WriteSine(const std::string& path, int channels, double freq, double amp, int frames)
{
  SF_INFO info = {};
  info.samplerate = 48000;
  info.channels = channels;
  info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
  SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
  ASSERT_NE(f, nullptr);
  std::vector<float> data(static_cast<size_t>(frames * channels));
  for (int i = 0; i < frames; ++i)
    for (int c = 0; c < channels; ++c)
      data[static_cast<size_t>(i * channels + c)] =
        static_cast<float>(amp * std::sin(2 * M_PI * freq * i / 48000.0));
  sf_writef_float(f, data.data(), frames);
  sf_close(f);
}

bool Exists(const std::string& path)
{
  struct stat st;
  return stat(path.c_str(), &st) == 0;
}

std::string FileBytes(const std::string& path)
{
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The channels of an audio file read in double precision, with its format.
DoubleBuffers ReadChannels(const std::string& path, int& format)
{
  SF_INFO info = {};
  SNDFILE* f = sf_open(path.c_str(), SFM_READ, &info);
  if (!f) return {};
  std::vector<double> frames(static_cast<size_t>(info.frames * info.channels));
  sf_readf_double(f, frames.data(), info.frames);
  sf_close(f);
  format = info.format;
  DoubleBuffers channels(static_cast<size_t>(info.channels),
                         std::vector<double>(static_cast<size_t>(info.frames)));
  for (size_t i = 0; i < frames.size(); ++i) channels[i % channels.size()][i / channels.size()] = frames[i];
  return channels;
}

void WriteChannels(const std::string& path, const DoubleBuffers& channels, int format)
{
  SF_INFO info = {};
  info.samplerate = 44100;
  info.channels = static_cast<int>(channels.size());
  info.format = format;
  SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
  ASSERT_NE(f, nullptr) << path;
  std::vector<double> frames;
  for (size_t i = 0; i < channels[0].size(); ++i)
    for (const std::vector<double>& c : channels) frames.push_back(c[i]);
  sf_writef_double(f, frames.data(), static_cast<sf_count_t>(channels[0].size()));
  sf_close(f);
}

// The reference renders' block size (tests/render, through EffectScenarios).
constexpr int kBlock = EffectScenarios::kHostBlockSize;

// The factory program rendered as the reference renders are: created through the entry point,
// started at 44.1 kHz, the program chosen, the input processed in blocks through
// processReplacing for float samples or processDoubleReplacing for double ones.
template <typename Sample>
std::vector<std::vector<Sample>> HostRender(const std::vector<std::vector<Sample>>& input, int program)
{
  TestHost host;
  if (!host.Create(VSTPluginMain)) return {};
  host.Start(EffectScenarios::kHostRate, kBlock);
  host.Dispatch(effSetProgram, 0, program);
  std::vector<std::vector<Sample>> render(2, std::vector<Sample>(input[0].size()));
  std::vector<std::vector<Sample>> in(2, std::vector<Sample>(kBlock)), out(in);
  for (size_t at = 0; at < input[0].size(); at += kBlock) {
    for (int c = 0; c < 2; ++c) std::copy_n(input[c].begin() + at, kBlock, in[c].begin());
    if constexpr (std::is_same_v<Sample, double>)
      host.ProcessDoubleReplacing(in, out, kBlock);
    else
      host.ProcessReplacing(in, out, kBlock);
    for (int c = 0; c < 2; ++c) std::copy(out[c].begin(), out[c].end(), render[c].begin() + at);
  }
  return render;
}

}  // namespace

TEST(Render, DemoIsFiniteAndAudible)
{
  const std::string out = TempFolder() + "/demo.wav";
  const ToolResult r = RunTool("render --demo " + out);
  ASSERT_EQ(r.exitCode, 0) << r.output;
  SF_INFO info;
  const std::vector<float> data = ReadInterleaved(out, info);
  EXPECT_EQ(info.channels, 2);
  EXPECT_EQ(info.samplerate, 44100);
  EXPECT_GT(info.frames, 44100 * 5);
  EXPECT_EQ(info.format & SF_FORMAT_SUBMASK, SF_FORMAT_FLOAT);
  double energy = 0.0;
  for (float x : data) {
    ASSERT_TRUE(std::isfinite(x));
    energy += double(x) * x;
  }
  EXPECT_GT(std::sqrt(energy / data.size()), 0.01);
}

// Also oversampled: the stages that run at the higher rate pass the bypassed signal, and the
// output is aligned with the input as a host aligns it after the latency.
TEST(Render, BypassedSineIsInputTimesBothVolumes)
{
  const std::string dir = TempFolder();
  WriteSine(dir + "/sine.wav", 1, 441.0, 0.5, 48000);
  for (const std::string oversampling :
       {"", " --oversampling off", " --oversampling 2", " --oversampling 4"}) {
    const ToolResult r = RunTool("render " + dir + "/sine.wav " + dir +
                                 "/out.wav --block 100"
                                 " --set BypassFX=1 --set InputVolume=0.8 --set Volume=0.5" +
                                 oversampling);
    ASSERT_EQ(r.exitCode, 0) << r.output;
    SF_INFO in, out;
    const std::vector<float> x = ReadInterleaved(dir + "/sine.wav", in);
    const std::vector<float> y = ReadInterleaved(dir + "/out.wav", out);
    ASSERT_EQ(out.channels, 2);
    ASSERT_EQ(out.frames, in.frames);
    EXPECT_EQ(out.samplerate, 48000);
    // The filters' passband ripple is below 0.001 dB each way; their taps reach 67 frames
    // ahead, so the file's abrupt end rings into the frames before it.
    const bool filtered = !oversampling.empty() && oversampling.back() != 'f';
    const double tolerance = filtered ? 1e-4 : 1e-6;
    for (sf_count_t i = 24000; i < out.frames - (filtered ? 67 : 0); ++i) {
      const double expected = x[static_cast<size_t>(i)] * 0.8 * 0.5;
      ASSERT_NEAR(y[static_cast<size_t>(2 * i)], expected, tolerance)
        << i << oversampling;  // mono feeds both
      ASSERT_NEAR(y[static_cast<size_t>(2 * i + 1)], expected, tolerance) << i << oversampling;
    }
  }
}

TEST(Render, OutputFormatFollowsTheExtension)
{
  const std::string dir = TempFolder();
  WriteSine(dir + "/s.wav", 2, 1000.0, 0.25, 4800);
  for (const char* ext : {"flac", "aiff", "ogg"}) {
    const std::string out = dir + "/o." + ext;
    ASSERT_EQ(RunTool("render " + dir + "/s.wav " + out).exitCode, 0) << ext;
    SF_INFO info;
    ReadInterleaved(out, info);
    const int major = info.format & SF_FORMAT_TYPEMASK;
    EXPECT_EQ(major, std::string(ext) == "flac"   ? SF_FORMAT_FLAC
                     : std::string(ext) == "aiff" ? SF_FORMAT_AIFF
                                                  : SF_FORMAT_OGG);
  }
}

// Integer formats cannot hold samples beyond full scale: they are written clipped there,
// not refused and not wrapped round to the other sign.
TEST(Render, IntegerFormatsClipBeyondFullScale)
{
  const std::string dir = TempFolder();
  WriteSine(dir + "/s.wav", 1, 441.0, 0.9, 4800);
  const std::string loud = " --set BypassFX=1 --set InputVolume=1 --set Volume=1 --set Saturation=0";
  ASSERT_EQ(
    RunTool("render " + dir + "/s.wav " + dir + "/o.wav" + loud + " --set InputDCOffset=0.8").exitCode, 0);
  SF_INFO info;
  const std::vector<float> reference = ReadInterleaved(dir + "/o.wav", info);
  ASSERT_GT(*std::max_element(reference.begin(), reference.end()), 1.1f);  // the case is real

  for (const char* ext : {"flac", "aiff"}) {
    const std::string out = dir + "/o." + ext;
    const ToolResult r = RunTool("render " + dir + "/s.wav " + out + loud + " --set InputDCOffset=0.8");
    ASSERT_EQ(r.exitCode, 0) << ext << ": " << r.output;
    const std::vector<float> clipped = ReadInterleaved(out, info);
    ASSERT_EQ(clipped.size(), reference.size()) << ext;
    for (size_t i = 0; i < clipped.size(); ++i) {
      const float want = std::min(std::max(reference[i], -1.0f), 1.0f);
      ASSERT_NEAR(clipped[i], want, 1e-6) << ext << " sample " << i;  // 24-bit resolution
    }
  }
}

TEST(Render, ErrorsAreOneLineAndLeaveNoFiles)
{
  const std::string dir = TempFolder();
  WriteSine(dir + "/s.wav", 1, 1000.0, 0.25, 480);

  ToolResult r = RunTool("render " + dir + "/missing.wav " + dir + "/o.wav");
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.output.find("cannot read"), std::string::npos) << r.output;

  r = RunTool("render " + dir + "/s.wav " + dir + "/o.wav --set Cutof=0.5");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.output.find("unknown parameter key 'Cutof'"), std::string::npos) << r.output;
  EXPECT_NE(r.output.find("FilterCutoff"), std::string::npos);  // the known keys are listed

  for (const char* bad : {"1.5", "-0.1", "abc", "nan", ""}) {
    r = RunTool("render " + dir + "/s.wav " + dir + "/o.wav --set Gate=" + bad);
    EXPECT_EQ(r.exitCode, 1) << bad;
    EXPECT_NE(r.output.find("from 0 to 1"), std::string::npos) << r.output;
  }
  EXPECT_FALSE(Exists(dir + "/o.wav"));

  r = RunTool("render " + dir + "/s.wav " + dir + "/o.wav --oversampling 3");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.output.find("--oversampling takes off, 2 or 4"), std::string::npos) << r.output;
  EXPECT_FALSE(Exists(dir + "/o.wav"));

  r = RunTool("render " + dir + "/s.wav " + dir + "/no/such/dir/o.wav");
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.output.find("cannot write"), std::string::npos) << r.output;

  const std::pair<std::string, std::string> formats[] = {
    {"o.flac --bits 32", "flac cannot hold --bits 32; it takes 16 or 24"},
    {"o.wav --type flac --bits 64", "flac cannot hold --bits 64"},
    {"o.ogg --bits 16", "ogg takes no --bits"},
    {"o.wav --bits 8", "--bits takes 16 or 24 (integer), 32 or 64 (float)"},
    {"o.wav --type mp3", "--type takes wav, aiff, flac or ogg"},
  };
  for (const auto& [args, message] : formats) {
    r = RunTool("render " + dir + "/s.wav " + dir + "/" + args);
    EXPECT_EQ(r.exitCode, 1) << args;
    EXPECT_NE(r.output.find(message), std::string::npos) << r.output;
  }
  for (const char* name : {"o.flac", "o.ogg", "o.wav"}) EXPECT_FALSE(Exists(dir + "/" + name)) << name;

  r = RunTool("render " + dir + "/s.wav " + dir + "/o.wav --block 0");
  EXPECT_EQ(r.exitCode, 1);
  r = RunTool("render --bogus " + dir + "/o.wav");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(std::count(r.output.begin(), r.output.end(), '\n'), 1);
}

// 0 for work done, 1 for a command line the tool does not take, 2 for work that failed.
TEST(Tool, ExitStatusTellsAUsageErrorFromAFailure)
{
  const std::string dir = TempFolder();
  WriteSine(dir + "/s.wav", 1, 1000.0, 0.25, 480);
  std::ofstream(dir + "/text.wav") << "not audio";
  ASSERT_EQ(mkdir((dir + "/folder.kw").c_str(), 0755), 0);
  const std::string render = "render " + dir + "/s.wav " + dir + "/o.wav";
  const std::pair<std::string, int> cases[] = {
    {"--help", 0},
    {"", 1},
    {"mix", 1},
    {render + " --gain 2", 1},
    {render + " -x", 1},
    {render + " --block", 1},
    {"render " + dir + "/s.wav", 1},
    {render + " --preset 56", 1},
    {"render " + dir + "/text.wav " + dir + "/o.wav", 2},
    {render + " --preset-file " + dir + "/folder.kw", 2},
    {"render " + dir + "/s.wav " + dir + "/s.wav", 2},
    {"curves " + dir + "/text.wav/c.png", 2},
  };
  for (const auto& [args, status] : cases) EXPECT_EQ(RunTool(args).exitCode, status) << args;
  EXPECT_FALSE(Exists(dir + "/o.wav"));
}

// Every sample format holds the effect's render as a host gets it from the entry point: 64 bits
// the double render, the path of the reference renders, exactly; 32 bits the float render
// exactly; 24 and 16 bits the float render quantised and clipped at full scale. libsndfile
// scales by 2^(bits-1) - 1 to write and by 2^(bits-1) to read, so a sample comes back within
// one and a half steps. The input is the reference's noise scaled so that its samples need
// double precision: a render that read or processed them in float would differ.
TEST(Render, EachSampleFormatHoldsTheHostsRenderOfAFactoryProgram)
{
  const std::string dir = TempFolder();
  const int frames = 43 * kBlock, program = 16;  // "Tube Drive", a quarter of a second
  DoubleBuffers input(2, std::vector<double>(frames));
  EffectScenarios::NoiseInput(11).Fill(input, frames);
  for (std::vector<double>& channel : input)
    for (double& x : channel) x *= 0.9;
  WriteChannels(dir + "/in.wav", input, SF_FORMAT_WAV | SF_FORMAT_DOUBLE);
  const DoubleBuffers doubleRender = HostRender(input, program);
  FloatBuffers floatInput(2);
  for (int c = 0; c < 2; ++c) floatInput[c].assign(input[c].begin(), input[c].end());
  const FloatBuffers floatRender = HostRender(floatInput, program);
  ASSERT_EQ(doubleRender.size(), 2u);
  ASSERT_EQ(floatRender.size(), 2u);
  // The two renders differ, so the comparisons below tell them apart.
  ASSERT_NE(doubleRender[0], std::vector<double>(floatRender[0].begin(), floatRender[0].end()));

  const std::pair<const char*, int> formats[] = {
    {"16", SF_FORMAT_PCM_16}, {"24", SF_FORMAT_PCM_24}, {"32", SF_FORMAT_FLOAT}, {"64", SF_FORMAT_DOUBLE}};
  for (const auto& [bits, subtype] : formats) {
    const std::string out = dir + "/out-" + bits + ".wav";
    const ToolResult r =
      RunTool("render " + dir + "/in.wav " + out + " --preset 16 --block 256 --bits " + bits);
    ASSERT_EQ(r.exitCode, 0) << bits << ": " << r.output;
    int format = 0;
    const DoubleBuffers written = ReadChannels(out, format);
    EXPECT_EQ(format, SF_FORMAT_WAV | subtype) << bits;
    ASSERT_EQ(written.size(), 2u) << bits;
    ASSERT_EQ(written[0].size(), static_cast<size_t>(frames)) << bits;
    if (subtype == SF_FORMAT_DOUBLE) {
      EXPECT_TRUE(written == doubleRender);
      continue;
    }
    const double step = subtype == SF_FORMAT_FLOAT ? 0.0 : std::ldexp(1.0, -(std::atoi(bits) - 1));
    double largest = 0.0;
    for (int c = 0; c < 2; ++c)
      for (int i = 0; i < frames; ++i) {
        const double want = step ? std::clamp<double>(floatRender[c][i], -1.0, 1.0) : floatRender[c][i];
        largest = std::max(largest, std::fabs(written[c][i] - want));
      }
    EXPECT_LE(largest, 1.5 * step) << bits;
  }
}

// "-" as IN and OUT through real pipes gives the samples file to file gives: FLAC, which
// libsndfile cannot read from a pipe by itself, and WAV, the type standard output gets by
// default, which it refuses to write to one. Standard output carries only the file; the PNG
// commands write theirs there too.
TEST(Render, PipeInAndOutGivesTheSamplesOfFileToFile)
{
  const std::string dir = TempFolder();
  WriteSine(dir + "/s.wav", 2, 441.0, 0.5, 48000);
  ASSERT_EQ(RunTool("render " + dir + "/s.wav " + dir + "/in.flac --bits 16").exitCode, 0);
  for (const std::string type : {"flac", "wav"}) {
    const std::string file = dir + "/file." + type;
    ASSERT_EQ(RunTool("render " + dir + "/in.flac " + file + " --preset 3").exitCode, 0);
    std::vector<std::string> args = {"render", "-", "-", "--preset", "3"};
    if (type == "flac") args.insert(args.end(), {"--type", "flac"});
    const StreamsResult piped = RunToolWithStreams(args, FileBytes(dir + "/in.flac"));
    ASSERT_EQ(piped.exitCode, 0) << piped.err;
    EXPECT_EQ(piped.err, "");
    std::ofstream(dir + "/piped." + type, std::ios::binary) << piped.out;
    int fileFormat = 0, pipedFormat = 0;
    const DoubleBuffers fromFile = ReadChannels(file, fileFormat);
    ASSERT_EQ(fromFile.size(), 2u) << type;
    EXPECT_EQ(fromFile[0].size(), 48000u) << type;
    EXPECT_TRUE(ReadChannels(dir + "/piped." + type, pipedFormat) == fromFile) << type;
    EXPECT_EQ(pipedFormat, fileFormat) << type;
  }

  ASSERT_EQ(RunTool("curves " + dir + "/c.png --preset 3").exitCode, 0);
  const StreamsResult png = RunToolWithStreams({"curves", "-", "--preset", "3"});
  EXPECT_EQ(png.exitCode, 0);
  EXPECT_TRUE(png.out == FileBytes(dir + "/c.png"));
  EXPECT_EQ(png.err, "2: Compressor, hermite, drive 0.5: transfer curve (left), waveform (right)\n");
}

// On a terminal the render shows its progress and the PNG commands say what they drew;
// --quiet and -q silence both, errors still print.
TEST(Render, QuietPrintsNothingButErrors)
{
  const std::string dir = TempFolder();
  const StreamsResult watched = RunToolWithStreams({"render", "--demo", dir + "/a.wav"}, "", true);
  ASSERT_EQ(watched.exitCode, 0);
  EXPECT_NE(watched.err.find("100%"), std::string::npos) << watched.err;
  for (const char* quiet : {"--quiet", "-q"}) {
    const StreamsResult r = RunToolWithStreams({"render", "--demo", dir + "/b.wav", quiet}, "", true);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "") << quiet;
  }
  for (const std::string& command : {"snapshot " + dir + "/e.png", "curves " + dir + "/c.png",
                                     "response " + dir + "/r.png --sample-rate 8000"}) {
    EXPECT_NE(RunTool(command).output, "") << command;
    const ToolResult quiet = RunTool(command + " -q");
    EXPECT_EQ(quiet.exitCode, 0);
    EXPECT_EQ(quiet.output, "") << command;
  }
  const ToolResult error = RunTool("render --demo " + dir + "/d.wav -q --set Gate=2");
  EXPECT_EQ(error.exitCode, 1);
  EXPECT_NE(error.output.find("from 0 to 1"), std::string::npos);
}

TEST(Render, NeverOverwritesItsInput)
{
  const std::string dir = TempFolder();
  WriteSine(dir + "/s.wav", 1, 1000.0, 0.25, 480);
  SF_INFO before;
  const std::vector<float> original = ReadInterleaved(dir + "/s.wav", before);
  const ToolResult r = RunTool("render " + dir + "/s.wav " + dir + "/./s.wav");
  EXPECT_EQ(r.exitCode, 2);
  SF_INFO after;
  EXPECT_EQ(ReadInterleaved(dir + "/s.wav", after), original);
  EXPECT_EQ(after.channels, 1);
}

TEST(Params, ListsEveryKeyWithItsCurrentDisplay)
{
  const ToolResult r = RunTool("params --set FilterCutoff=0.25");
  ASSERT_EQ(r.exitCode, 0) << r.output;
  EXPECT_NE(r.output.find("FilterCutoff"), std::string::npos);
  EXPECT_NE(r.output.find("68 Hz"), std::string::npos) << r.output;
  EXPECT_NE(r.output.find("29  Volume"), std::string::npos);
}
