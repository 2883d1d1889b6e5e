#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "skarvel/Skarvel.h"

namespace {

struct ExpectedProgram
{
  std::string name;
  std::vector<double> values;
};

// The program table as data: "baseline v0 .. v29", then "slot|name|index=value ...".
std::vector<ExpectedProgram> ReadProgramTable()
{
  std::ifstream in("tests/plug/data/factory_presets.txt");
  std::vector<double> baseline;
  std::vector<ExpectedProgram> programs;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string word;
    if (line.rfind("baseline ", 0) == 0) {
      fields >> word;
      while (fields >> word) baseline.push_back(std::strtod(word.c_str(), nullptr));
      continue;
    }
    std::string slot, name, differences;
    std::getline(fields, slot, '|');
    std::getline(fields, name, '|');
    std::getline(fields, differences);
    EXPECT_EQ(std::stoi(slot), static_cast<int>(programs.size()));
    ExpectedProgram p{name, baseline};
    std::istringstream diffs(differences);
    while (diffs >> word) {
      const size_t eq = word.find('=');
      p.values.at(std::stoul(word.substr(0, eq))) = std::strtod(word.c_str() + eq + 1, nullptr);
    }
    programs.push_back(p);
  }
  return programs;
}

std::vector<double> ProgramValues(const Skarvel& fx, int slot)
{
  const ByteChunk* chunk = fx.PresetChunk(slot);
  std::vector<double> values(kNumParams);
  int pos = 0;
  for (double& v : values) pos = chunk->Get(v, pos);
  EXPECT_EQ(pos, chunk->Size()) << "program " << slot;
  return values;
}

}  // namespace

TEST(FactoryPresets, EveryProgramHoldsItsNameAndThirtyValues)
{
  const std::vector<ExpectedProgram> expected = ReadProgramTable();
  ASSERT_EQ(expected.size(), 56u);
  Skarvel fx(nullptr);
  for (int slot = 0; slot < 56; ++slot) {
    EXPECT_TRUE(fx.PresetIsInitialized(slot));
    EXPECT_EQ(fx.GetPresetName(slot), expected[slot].name) << "program " << slot;
    const std::vector<double> values = ProgramValues(fx, slot);
    for (int i = 0; i < kNumParams; ++i)
      EXPECT_EQ(values[i], expected[slot].values[i]) << "program " << slot << " parameter " << i;
  }
}

TEST(FactoryPresets, VolumeBypassAndUnitSwitchesOfTheEdgePrograms)
{
  Skarvel fx(nullptr);
  for (int slot = 0; slot < 56; ++slot) {
    const std::vector<double> v = ProgramValues(fx, slot);
    EXPECT_EQ(v[kVolume], 0.25) << "program " << slot;
    EXPECT_EQ(v[kBypassFX], slot == 0 || slot == 55 ? 1.0 : 0.0) << "program " << slot;
  }
  const std::vector<double> last = ProgramValues(fx, 55);
  EXPECT_EQ(last[kFilterOnOff], 0.0);
  EXPECT_EQ(last[kModulationOnOff], 0.0);
  EXPECT_EQ(last[kDistortionOnOff], 0.0);
  ASSERT_TRUE(fx.ApplyPreset(0));
  EXPECT_EQ(fx.Mirror(mBypassFX), 1.0);
}

TEST(FactoryPresets, ProgramsTwoToFiftyWalkThroughTheDistortionTypes)
{
  Skarvel fx(nullptr);
  Kernwave::Distortion& distortion = fx.GetDistortion();
  int previous = 1;
  for (int slot = 2; slot <= 50; ++slot) {
    distortion.SetShapeType(ProgramValues(fx, slot)[kDistortionType]);
    EXPECT_TRUE(distortion.ShapeType() == previous || distortion.ShapeType() == previous + 1)
      << "program " << slot << " selects type " << distortion.ShapeType();
    previous = distortion.ShapeType();
  }
  EXPECT_EQ(previous, 28);
}

TEST(FactoryPresets, FillingLeavesTheFactoryProgramsAndLiveParametersAlone)
{
  Skarvel fx(nullptr);
  for (int i = 0; i < kNumParams; ++i)
    EXPECT_EQ(fx.GetParam(i)->value, kSkarvelParams[i].defaultValue) << "parameter " << i;
  ByteChunk before;
  fx.SerializePresets(before);
  fx.FillEmptyPresets(56, "-");
  const double values[kNumParams] = {};
  fx.AddFactoryPreset("extra", values);
  ByteChunk after;
  fx.SerializePresets(after);
  EXPECT_TRUE(before == after);
}

// Every program through the whole chain on a loud two-tone signal.
TEST(FactoryPresets, EveryProgramRendersFiniteSound)
{
  Skarvel fx(nullptr);
  const int n = 512;
  std::vector<double> inL(n), inR(n), outL(n), outR(n);
  double* in[2] = {inL.data(), inR.data()};
  double* out[2] = {outL.data(), outR.data()};
  for (int slot = 0; slot < 56; ++slot) {
    ASSERT_TRUE(fx.ApplyPreset(slot));
    fx.ResetAudioState();
    double energy = 0.0;
    for (int block = 0; block < 8; ++block) {
      for (int i = 0; i < n; ++i) {
        const double t = 6.283185307179586 * (block * n + i) / 44100.0;
        inL[i] = 0.8 * std::sin(220 * t) + 0.1 * std::sin(3100 * t);
        inR[i] = 0.8 * std::sin(330 * t);
      }
      fx.ProcessBlock(in, out, n);
      for (int i = 0; i < n; ++i) {
        ASSERT_TRUE(std::isfinite(outL[i]) && std::isfinite(outR[i])) << "program " << slot;
        energy += outL[i] * outL[i] + outR[i] * outR[i];
      }
    }
    EXPECT_GT(energy, 1e-3) << "program " << slot << " is silent";
  }
}
