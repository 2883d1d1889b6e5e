#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "dsp/Distortion.h"
#include "skarvel/Skarvel.h"
#include "skarvel/VstXSkarvelProgram.h"

namespace {

// Test cases run in parallel processes: each gets its own file names.
std::string TempPath(const std::string& name)
{
  const char* test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
  return ::testing::TempDir() + "skarvel_" + test + "_" + name;
}

std::string Written(const std::string& name, const std::string& text)
{
  const std::string path = TempPath(name);
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

std::string ReadText(const std::string& path)
{
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> Lines(const std::string& text)
{
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();  // text mode on Windows
    lines.push_back(line);
  }
  return lines;
}

// A file whose only meaningful line is `line`, at the position of parameter `paramIdx`
// (-1: the name line). Every other position holds a line without its key.
std::string FileWithLine(int paramIdx, const std::string& line)
{
  std::string text;
  for (int position = 0; position <= kNumParams; ++position)
    text += (position == paramIdx + 1 ? line : "-") + "\n";
  return text;
}

// Reads `line` in its place into a program whose parameter `paramIdx` held 0.5.
double ReadValue(int paramIdx, const std::string& line)
{
  VstXSkarvelProgram program;
  program.Set(paramIdx, 0.5);
  EXPECT_TRUE(program.Read(Written("line.kw", FileWithLine(paramIdx, line)).c_str()));
  return program.Get(paramIdx);
}

std::vector<double> Mirrors(const Skarvel& fx)
{
  std::vector<double> m(kNumMirrors);
  for (int i = 0; i < kNumMirrors; ++i) m[i] = fx.Mirror(i);
  return m;
}

}  // namespace

TEST(VstXSkarvelProgram, ValuesAreHeldInMirrorOrderAndClamped)
{
  VstXSkarvelProgram program;
  EXPECT_EQ(program.Name(), "Basic Distortion");
  EXPECT_EQ(program.Get(kFilterType), 1.0);
  program.Set(kFilterType, 0.3);
  program.Set(kBypassFX, 2.0);
  program.Set(kDistortion, -1.0);
  program.Set(kGate, std::nan(""));
  program.Set(kNumParams, 0.7);
  EXPECT_EQ(program.Values()[6], 0.3);
  EXPECT_EQ(program.Values()[23], 1.0);
  EXPECT_EQ(program.Values()[12], 0.0);
  EXPECT_EQ(program.Get(kGate), 0.0);
  EXPECT_EQ(program.Get(-1), 0.0);
  EXPECT_EQ(program.Get(kNumParams), 0.0);
}

TEST(VstXSkarvelProgram, ValueTextNeedsTheSpaceAfterEqualsAndIsClamped)
{
  EXPECT_EQ(ReadValue(kGate, "Gate = 0.25;"), 0.25);
  EXPECT_EQ(ReadValue(kGate, "Gate = 2;"), 1.0);
  EXPECT_EQ(ReadValue(kGate, "Gate = -1;"), 0.0);
  EXPECT_EQ(ReadValue(kGate, "Gate =0.25;"), 0.25);  // reads ".25"
  EXPECT_EQ(ReadValue(kGate, "Gate =1;"), 0.5);      // ";" too close: skipped
  EXPECT_EQ(ReadValue(kGate, "Gate = 0.75"), 0.5);
  EXPECT_EQ(ReadValue(kGate, "Gate ; = 0.75"), 0.5);
  EXPECT_EQ(ReadValue(kGate, "Volume = 0.75;"), 0.5);  // not its key
  EXPECT_EQ(ReadValue(kGate, "Gate = 0.125xyz;"), 0.125);
  const double nan = ReadValue(kGate, "Gate = nan;");  // a NaN is ignored; msvcrt reads 0
  EXPECT_TRUE(nan == 0.5 || nan == 0.0) << nan;
}

TEST(VstXSkarvelProgram, UnknownTypeAndModeNamesGiveZero)
{
  EXPECT_EQ(ReadValue(kDistortionType, "DistortionType = Nonesuch;"), 0.0);
  EXPECT_EQ(ReadValue(kFilterMode1, "FilterMode1 = rbj-hp;"), 0.0);
  EXPECT_EQ(ReadValue(kFilterMode2, "FilterMode2 = LP 48dB;"), 0.0);
}

// The distortion's own name table (its test covers the names, former ones included) decides
// the type; the file holds the type as its index over 28.
TEST(VstXSkarvelProgram, TypeNamesIncludingAFormerOneReadAsIndexOver28)
{
  const Kernwave::Distortion distortion;
  for (int type = 0; type < Kernwave::Distortion::kNumTypes; ++type) {
    const std::string name = distortion.ShapeTypeName(type / 28.0);
    EXPECT_EQ(ReadValue(kDistortionType, "DistortionType = " + name + ";"), type / 28.0) << name;
  }
  const int renamed = Kernwave::Distortion::ShapeTypeFromName("Kernwave-Drive3");
  ASSERT_GT(renamed, 0);
  EXPECT_EQ(ReadValue(kDistortionType, "DistortionType = Kernwave-Drive3;"), renamed / 28.0);
}

TEST(VstXSkarvelProgram, ModeNamesReadAsSinglePrecisionThirds)
{
  EXPECT_EQ(ReadValue(kFilterMode1, "FilterMode1 = RBJ-HP;"), 0.3333333432674408);
  EXPECT_EQ(ReadValue(kFilterMode1, "FilterMode1 = RBJ-BP;"), 0.6666666865348816);
  EXPECT_EQ(ReadValue(kFilterMode1, "FilterMode1 = RBJ-BP1;"), 0.6666666865348816);
  EXPECT_EQ(ReadValue(kFilterMode1, "FilterMode1 = RBJ-BS;"), 1.0);
  EXPECT_EQ(ReadValue(kFilterMode1, "FilterMode1 = RBJ-LP;"), 0.0);
  EXPECT_EQ(ReadValue(kFilterMode2, "FilterMode2 = HP 24dB;"), 0.3333333432674408);
  EXPECT_EQ(ReadValue(kFilterMode2, "FilterMode2 = LP 12dB;"), 0.6666666865348816);
  EXPECT_EQ(ReadValue(kFilterMode2, "FilterMode2 = LP 24dB;"), 1.0);
}

TEST(VstXSkarvelProgram, NameIsCutAndExtraLinesAreIgnored)
{
  VstXSkarvelProgram program;
  std::string text = FileWithLine(-1, "Name = An Extremely Long Preset Name;");
  text += "Name = Other;\nGate = 1;\n";
  ASSERT_TRUE(program.Read(Written("name.kw", text).c_str()));
  EXPECT_EQ(program.Name(), "An Extremely Long Preset");
  EXPECT_EQ(program.Get(kGate), 0.0);
}

// A line longer than 2047 characters is read in pieces, and each piece takes a position.
TEST(VstXSkarvelProgram, LongLinesAreReadIn2047CharacterPieces)
{
  std::string first = "Name = Short;";
  first.resize(2047, ' ');
  VstXSkarvelProgram program;
  ASSERT_TRUE(program.Read(Written("long.kw", first + "InputVolume = 0.25;\nInputVolume = 0.75;\n").c_str()));
  EXPECT_EQ(program.Name(), "Short");
  EXPECT_EQ(program.Get(kInputVolume), 0.25);
}

TEST(VstXSkarvelProgram, MissingLineShiftsEveryLaterLineOffItsKey)
{
  VstXSkarvelProgram written;
  for (int i = 0; i < kNumParams; ++i) written.Set(i, i == kFilterType ? 0.5 : 0.9);
  const std::string path = TempPath("shift.kw");
  ASSERT_TRUE(written.Write(path.c_str(), Kernwave::Distortion()));
  std::vector<std::string> lines = Lines(ReadText(path));
  ASSERT_EQ(lines.size(), 31u);
  lines.erase(lines.begin() + 1 + kQuantization);
  std::string text;
  for (const std::string& l : lines) text += l + "\n";

  VstXSkarvelProgram read;
  ASSERT_TRUE(read.Read(Written("shift.kw", text).c_str()));
  const VstXSkarvelProgram start;
  for (int i = 0; i < kNumParams; ++i) {
    const bool beforeGap =
      i < kQuantization && i != kDistortionType && i != kFilterMode1 && i != kFilterMode2;
    EXPECT_EQ(read.Get(i), beforeGap ? 0.9 : start.Get(i)) << "parameter " << i;
  }
}

TEST(VstXSkarvelProgram, HostileBytesReadWithinBoundsAndStayInRange)
{
  std::mt19937 random(7);
  const char alphabet[] = "=;; \n\0GateNameVolume-1e9x";
  std::string text;
  for (int i = 0; i < 200000; ++i) text += alphabet[random() % (sizeof(alphabet) - 1)];
  VstXSkarvelProgram program;
  ASSERT_TRUE(program.Read(Written("hostile.kw", text).c_str()));
  EXPECT_LE(program.Name().size(), 24u);
  for (int i = 0; i < kNumParams; ++i) {
    EXPECT_GE(program.Get(i), 0.0);
    EXPECT_LE(program.Get(i), 1.0);
  }
}

TEST(VstXSkarvelProgram, UnreadableOrUnwritablePathsFail)
{
  VstXSkarvelProgram program;
  program.Set(kGate, 0.5);
  EXPECT_FALSE(program.Read("/nonexistent/dir/preset.kw"));
  EXPECT_FALSE(program.Read(::testing::TempDir().c_str()));  // a directory opens but cannot be read
  EXPECT_FALSE(program.Read(nullptr));
  EXPECT_EQ(program.Get(kGate), 0.5);
  EXPECT_FALSE(program.Write("/nonexistent/dir/preset.kw", Kernwave::Distortion()));
}

TEST(PresetFile, SavedFileHasOneKeyValueLinePerParameter)
{
  Skarvel fx(nullptr);
  ASSERT_TRUE(fx.ApplyPreset(12));
  const std::string path = TempPath("prm.kw");
  ASSERT_TRUE(fx.SavePresetFile(path.c_str()));
  const std::vector<std::string> expected =
    Lines("Name = PRM Kick Distortion 1;\nInputVolume = 1;\nInputDCOffset = 0.5;\n"
          "InputSaturation = 0;\nQuantization = 1;\nSampleRate = 1;\nGate = 0;\nDistortion = 0.5;\n"
          "DistortionType = PRM-Fuzz 1;\nDistortionLoudness = 0;\nDistortionInterpMode = 0;\n"
          "DistortionOnOff = 1;\nFilterType = 0.2;\nFilterCutoff = 0.25;\nFilterResonance = 0.4;\n"
          "FilterMode1 = RBJ-HP;\nFilterMode2 = LP 24dB;\nFilterOnOff = 1;\n"
          "RingModulationAmount = 0;\nRingModulationFrequency = 0.5;\nPhaserDepth = 0;\n"
          "PhaserFeedback = 0.25;\nPhaserRate = 0.5;\nModulationOnOff = 1;\nBassAmount = 0.7;\n"
          "MidAmount = 0.5;\nHighAmount = 0.5;\nDumpExpand = 0.5;\nBypassFX = 0;\n"
          "Saturation = 0.5;\nVolume = 0.25;\n");
  const std::string text = ReadText(path);
  ASSERT_EQ(text.back(), '\n');
  const std::vector<std::string> lines = Lines(text);
  ASSERT_EQ(lines.size(), expected.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i != 1 + kDistortionType && i != 1 + kFilterMode1 && i != 1 + kFilterMode2) {
      EXPECT_EQ(lines[i], expected[i]);
    }
  }
}

TEST(PresetFile, SavedFileNamesTypeAndModes)
{
  Skarvel fx(nullptr);
  ASSERT_TRUE(fx.ApplyPreset(12));
  const std::string path = TempPath("prm.kw");
  ASSERT_TRUE(fx.SavePresetFile(path.c_str()));
  const std::vector<std::string> lines = Lines(ReadText(path));
  ASSERT_EQ(lines.size(), 31u);
  EXPECT_EQ(lines[1 + kDistortionType], "DistortionType = PRM-Fuzz 1;");
  EXPECT_EQ(lines[1 + kFilterMode1], "FilterMode1 = RBJ-HP;");
  EXPECT_EQ(lines[1 + kFilterMode2], "FilterMode2 = LP 24dB;");
}

// Every factory program saved by one effect and loaded by another: the values %g prints
// exactly come back exactly, the parameters and the current program follow them.
TEST(PresetFile, EveryFactoryProgramRoundTrips)
{
  Skarvel source(nullptr), target(nullptr);
  const std::string path = TempPath("roundtrip.kw");
  for (int slot = 0; slot < 56; ++slot) {
    ASSERT_TRUE(source.ApplyPreset(slot));
    ASSERT_TRUE(source.SavePresetFile(path.c_str()));
    ASSERT_TRUE(target.LoadPresetFile(path.c_str()));
    EXPECT_EQ(std::string(target.GetPresetName(0)), std::string(source.GetPresetName(slot)).substr(0, 24));
    for (int i = 0; i < kNumParams; ++i) {
      const double loaded = target.GetParam(i)->value;
      EXPECT_EQ(target.Mirror(kSkarvelParams[i].mirror), loaded);
      if (i == kDistortionType || i == kFilterMode1 || i == kFilterMode2) continue;
      EXPECT_EQ(loaded, source.GetParam(i)->value) << "program " << slot << " parameter " << i;
    }
    ByteChunk current;
    target.SerializeParameters(current);
    EXPECT_TRUE(current == *target.PresetChunk(0));
  }
}

TEST(PresetFile, EveryFactoryProgramKeepsTypeAndModesByName)
{
  Skarvel source(nullptr), target(nullptr);
  const std::string path = TempPath("roundtrip.kw");
  for (int slot = 0; slot < 56; ++slot) {
    ASSERT_TRUE(source.ApplyPreset(slot));
    ASSERT_TRUE(source.SavePresetFile(path.c_str()));
    ASSERT_TRUE(target.LoadPresetFile(path.c_str()));
    const int type = source.GetDistortion().ShapeType();
    EXPECT_EQ(target.GetDistortion().ShapeType(), type) << "program " << slot;
    EXPECT_EQ(target.GetParam(kDistortionType)->value, type / 28.0);
    for (int i : {kFilterMode1, kFilterMode2}) {
      const double mode = std::floor(3 * source.GetParam(i)->value + 0.5);
      EXPECT_EQ(target.GetParam(i)->value, static_cast<float>(mode) / 3.0f)
        << "program " << slot << " parameter " << i;
    }
  }
}

TEST(PresetFile, UnreadablePathChangesNothing)
{
  Skarvel fx(nullptr);
  ASSERT_TRUE(fx.ApplyPreset(16));
  const std::vector<double> mirrors = Mirrors(fx);
  ByteChunk programs, params;
  fx.SerializePresets(programs);
  fx.SerializeParameters(params);
  EXPECT_FALSE(fx.LoadPresetFile("/nonexistent/dir/preset.kw"));
  EXPECT_FALSE(fx.LoadPresetFile(::testing::TempDir().c_str()));
  EXPECT_FALSE(fx.SavePresetFile("/nonexistent/dir/preset.kw"));
  ByteChunk programsAfter, paramsAfter;
  fx.SerializePresets(programsAfter);
  fx.SerializeParameters(paramsAfter);
  EXPECT_EQ(Mirrors(fx), mirrors);
  EXPECT_TRUE(programsAfter == programs);
  EXPECT_TRUE(paramsAfter == params);
}

// A thousand random states saved by one effect and loaded by a fresh one: every value comes
// back as %g prints it, the distortion type and the filter modes by their names.
TEST(PresetFile, RandomStatesComeBackAsPrinted)
{
  std::mt19937_64 random(77);
  const std::string path = TempPath("random.kw");
  const bool modeNames = *Kernwave::FilterUnit::RbjModeName(0.0) != '\0';
  Skarvel source(nullptr);
  for (int state = 0; state < 1000; ++state) {
    ByteChunk chunk;
    for (int i = 0; i < kNumParams; ++i) chunk.Put(static_cast<double>(random() >> 11) * 0x1.0p-53);
    ASSERT_EQ(source.LoadParameters(chunk, 0), chunk.Size());
    ASSERT_TRUE(source.SavePresetFile(path.c_str()));
    Skarvel target(nullptr);
    ASSERT_TRUE(target.LoadPresetFile(path.c_str()));
    for (int i = 0; i < kNumParams; ++i) {
      const double v = source.GetParam(i)->value;
      double expected;
      if (i == kDistortionType) {
        expected = source.GetDistortion().ShapeType() / 28.0;
      } else if (i == kFilterMode1 || i == kFilterMode2) {
        if (!modeNames) continue;  // the filter unit cannot name its modes yet
        expected = static_cast<float>(static_cast<float>(std::floor(3 * v + 0.5)) / 3.0f);
      } else {
        char printed[32];
        std::snprintf(printed, sizeof printed, "%g", v);
        expected = std::atof(printed);
      }
      ASSERT_EQ(target.GetParam(i)->value, expected) << "state " << state << " parameter " << i;
    }
  }
}

// The oversampling is one more line, written only when it is not off; a file without it, or
// with a line that names no setting, loads as off.
TEST(PresetFile, OversamplingIsALineAfterTheParametersOnlyWhenItIsOn)
{
  Skarvel fx(nullptr);
  ASSERT_TRUE(fx.ApplyPreset(12));
  const std::string offPath = TempPath("off.kw");
  ASSERT_TRUE(fx.SavePresetFile(offPath.c_str()));
  const std::string off = ReadText(offPath);
  EXPECT_EQ(Lines(off).size(), size_t(1 + kNumParams));

  fx.SetOversampling(4);
  const std::string onPath = TempPath("on.kw");
  ASSERT_TRUE(fx.SavePresetFile(onPath.c_str()));
  const std::string lineEnd =
    off.size() > 1 && off[off.size() - 2] == '\r' ? "\r\n" : "\n";  // as the platform writes text
  EXPECT_EQ(ReadText(onPath), off + "Oversampling = 4x;" + lineEnd);

  Skarvel other(nullptr);
  ASSERT_TRUE(other.LoadPresetFile(onPath.c_str()));
  EXPECT_EQ(other.GetOversampling(), 4);
  EXPECT_EQ(other.GetLatency(), 67);
  ASSERT_TRUE(other.LoadPresetFile(Written("two.kw", off + "Oversampling = 2x;\n").c_str()));
  EXPECT_EQ(other.GetOversampling(), 2);
  EXPECT_EQ(other.GetLatency(), 54);

  for (const std::string tail : {"", "Oversampling = 3x;\n", "Oversampling = 2x\n", "Oversampling = off;\n",
                                 "Quality = 4x;\n", "Oversampling = 4xx;\n"}) {
    ASSERT_TRUE(other.LoadPresetFile(onPath.c_str()));
    ASSERT_TRUE(other.LoadPresetFile(Written("tail.kw", off + tail).c_str()));
    EXPECT_EQ(other.GetOversampling(), 1) << tail;
    EXPECT_EQ(other.GetLatency(), 0) << tail;
  }
}
