#include <gtest/gtest.h>
#include <sndfile.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <vector>

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
  EXPECT_NE(r.exitCode, 0);
  EXPECT_NE(r.output.find("cannot read"), std::string::npos) << r.output;

  r = RunTool("render " + dir + "/s.wav " + dir + "/o.wav --set Cutof=0.5");
  EXPECT_NE(r.exitCode, 0);
  EXPECT_NE(r.output.find("unknown parameter key 'Cutof'"), std::string::npos) << r.output;
  EXPECT_NE(r.output.find("FilterCutoff"), std::string::npos);  // the known keys are listed

  for (const char* bad : {"1.5", "-0.1", "abc", "nan", ""}) {
    r = RunTool("render " + dir + "/s.wav " + dir + "/o.wav --set Gate=" + bad);
    EXPECT_NE(r.exitCode, 0) << bad;
    EXPECT_NE(r.output.find("from 0 to 1"), std::string::npos) << r.output;
  }
  EXPECT_FALSE(Exists(dir + "/o.wav"));

  r = RunTool("render " + dir + "/s.wav " + dir + "/o.wav --oversampling 3");
  EXPECT_NE(r.exitCode, 0);
  EXPECT_NE(r.output.find("--oversampling takes off, 2 or 4"), std::string::npos) << r.output;
  EXPECT_FALSE(Exists(dir + "/o.wav"));

  r = RunTool("render " + dir + "/s.wav " + dir + "/no/such/dir/o.wav");
  EXPECT_NE(r.exitCode, 0);
  EXPECT_NE(r.output.find("cannot write"), std::string::npos) << r.output;

  r = RunTool("render " + dir + "/s.wav " + dir + "/o.wav --block 0");
  EXPECT_NE(r.exitCode, 0);
  r = RunTool("render --bogus " + dir + "/o.wav");
  EXPECT_NE(r.exitCode, 0);
  EXPECT_EQ(std::count(r.output.begin(), r.output.end(), '\n'), 1);
}

TEST(Render, NeverOverwritesItsInput)
{
  const std::string dir = TempFolder();
  WriteSine(dir + "/s.wav", 1, 1000.0, 0.25, 480);
  SF_INFO before;
  const std::vector<float> original = ReadInterleaved(dir + "/s.wav", before);
  const ToolResult r = RunTool("render " + dir + "/s.wav " + dir + "/./s.wav");
  EXPECT_NE(r.exitCode, 0);
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
