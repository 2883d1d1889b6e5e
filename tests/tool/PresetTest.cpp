#include <gtest/gtest.h>
#include <sndfile.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "skarvel/Skarvel.h"
#include "tests/tool/ToolRun.h"
#include "tools/skarvel/PresetLookup.h"

namespace {

std::string FileText(const std::string& path)
{
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The rendered demo's samples for the given configuring options. (The files' bytes differ
// between runs: the peak chunk holds a time stamp.)
std::vector<float> Rendered(const std::string& dir, const std::string& options)
{
  const std::string out = dir + "/render.wav";
  const ToolResult r = RunTool("render --demo " + out + " --block 256 " + options);
  EXPECT_EQ(r.exitCode, 0) << options << ": " << r.output;
  SF_INFO info = {};
  SNDFILE* f = sf_open(out.c_str(), SFM_READ, &info);
  if (!f) return {};
  std::vector<float> samples(static_cast<size_t>(info.frames * info.channels));
  sf_readf_float(f, samples.data(), info.frames);
  sf_close(f);
  return samples;
}

// The program index FindPreset gives, or its error message.
std::string Lookup(const std::string& text)
{
  static const Skarvel fx(nullptr);
  int index = -1;
  const std::string error = FindPreset(fx, text, index);
  return error.empty() ? std::to_string(index) : error;
}

}  // namespace

TEST(PresetLookup, NumberExactNameAnyCaseOrUniquePrefixElseTheClosest)
{
  EXPECT_EQ(Lookup("0"), "0");
  EXPECT_EQ(Lookup("55"), "55");
  EXPECT_EQ(Lookup("Tube Drive"), "16");
  EXPECT_EQ(Lookup("tube drive"), "16");  // a whole name beats the longer one it starts
  EXPECT_EQ(Lookup("tube drive ("), "15");
  EXPECT_EQ(Lookup("SLOW"), "54");
  EXPECT_EQ(Lookup("Hardcore Fuzz 1"), "22");
  EXPECT_NE(Lookup("tube d").find("ambiguous; it could be 'Tube Drive (8-bit)', 'Tube Drive'"),
            std::string::npos);
  EXPECT_NE(Lookup("Tube Drve").find("closest are 'Tube Drive'"), std::string::npos);
  EXPECT_NE(Lookup("56").find("outside 0..55"), std::string::npos);
  EXPECT_NE(Lookup("").find("no preset"), std::string::npos);
}

TEST(Presets, ListsEveryProgramByNumberAndName)
{
  const ToolResult r = RunTool("presets");
  ASSERT_EQ(r.exitCode, 0) << r.output;
  EXPECT_EQ(std::count(r.output.begin(), r.output.end(), '\n'), 56);
  EXPECT_EQ(r.output.rfind(" 0  Initial Preset\n", 0), 0u);
  EXPECT_NE(r.output.find("\n16  Tube Drive\n"), std::string::npos);
  EXPECT_NE(r.output.find("\n55  DC offset control\n"), std::string::npos);
}

// Renders are compared whole; a mismatch is reported without printing them.
TEST(Presets, RenderPicksTheSameProgramByNumberOrName)
{
  const std::string dir = TempFolder();
  const std::vector<float> byNumber = Rendered(dir, "--preset 16");
  ASSERT_FALSE(byNumber.empty());
  EXPECT_TRUE(Rendered(dir, "--preset 'Tube Drive'") == byNumber);
  EXPECT_TRUE(Rendered(dir, "--preset 'tube drive'") == byNumber);
  EXPECT_FALSE(Rendered(dir, "--preset 0") == byNumber);
  EXPECT_TRUE(Rendered(dir, "--preset slow") == Rendered(dir, "--preset 54"));
}

TEST(Presets, SavedFileRendersLikeItsSettingsAndSetStillWins)
{
  const std::string dir = TempFolder();
  const std::string file = dir + "/kick.kw";
  ToolResult r = RunTool("preset save " + file + " --preset 12 --set Gate=0.5");
  ASSERT_EQ(r.exitCode, 0) << r.output;
  const std::string text = FileText(file);
  EXPECT_EQ(text.rfind("Name = PRM Kick Distortion 1;\nInputVolume = 1;\n", 0), 0u);
  EXPECT_NE(text.find("\nGate = 0.5;\n"), std::string::npos);

  EXPECT_TRUE(Rendered(dir, "--preset-file " + file) == Rendered(dir, "--preset 12 --set Gate=0.5"));
  EXPECT_TRUE(Rendered(dir, "--preset-file " + file + " --set Gate=0") == Rendered(dir, "--preset 12"));
  ASSERT_EQ(RunTool("preset save " + dir + "/kick.BGP --preset-file " + file).exitCode, 0);
  EXPECT_EQ(FileText(dir + "/kick.BGP"), text);
}

TEST(Presets, BadPresetOptionsAreOneLineErrors)
{
  const std::string dir = TempFolder();
  const std::string out = dir + "/o.wav";
  struct Case
  {
    std::string args, message;
    int status;
  };
  const Case cases[] = {
    {"render --demo " + out + " --preset 'tube d'", "ambiguous", 1},
    {"render --demo " + out + " --preset 99", "outside 0..55", 1},
    {"render --demo " + out + " --preset-file " + dir + "/missing.kw", "cannot read preset file", 2},
    {"render --demo " + out + " --preset-file " + dir + "/o.txt", "must end in .kw or .bgp", 1},
    {"preset save " + dir + "/p.wav", "must end in .kw or .bgp", 1},
    {"preset save " + dir + "/no/such/dir/p.kw", "cannot write", 2},
    {"preset load " + dir + "/p.kw", "usage", 1},
    {"presets extra", "usage", 1},
  };
  for (const auto& [args, message, status] : cases) {
    const ToolResult r = RunTool(args);
    EXPECT_EQ(r.exitCode, status) << args;
    EXPECT_NE(r.output.find(message), std::string::npos) << args << ": " << r.output;
    EXPECT_EQ(std::count(r.output.begin(), r.output.end(), '\n'), 1) << r.output;
  }
  std::ifstream wav(out);
  EXPECT_FALSE(wav.good());
}
