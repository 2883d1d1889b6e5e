#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "plug/IPlugBase.h"

namespace {

// A base with three parameters and four programs, small enough to check chunks by hand.
class SmallPlug : public IPlugBase
{
public:
  SmallPlug() : IPlugBase(3, "1-1 2-2", 4, "Small", "", "Maker", 0x00010203, 1, 2, false)
  {
    GetParam(0)->DefineDouble("A", 0.25, 0.0, 1.0, 0.001, "");
    GetParam(1)->DefineDouble("B", 0.5, 0.0, 1.0, 0.001, "");
    GetParam(2)->DefineDouble("C", 0.0, -1.0, 1.0, 0.001, "");
  }
  void ParameterChanged(int i) override { changed.push_back(i); }
  void PresetSelectionChanged() override { ++selections; }
  std::vector<int> changed;
  int selections = 0;
};

ByteChunk Doubles(std::initializer_list<double> values)
{
  ByteChunk c;
  for (double v : values) c.Put(v);
  return c;
}

}  // namespace

TEST(IPlugBase, ChannelConfigurationGivesTheLargestCounts)
{
  SmallPlug p;
  ASSERT_EQ(p.ChannelIOConfigs().size(), 2u);
  EXPECT_EQ(p.ChannelIOConfigs()[1], std::make_pair(2, 2));
  EXPECT_EQ(p.NInChannels(), 2);
  EXPECT_EQ(p.NOutChannels(), 2);
}

TEST(IPlugBase, SerializeParametersWritesOneDoublePerParameterInOrder)
{
  SmallPlug p;
  ByteChunk c;
  EXPECT_TRUE(p.SerializeParameters(c));
  EXPECT_EQ(c, Doubles({0.25, 0.5, 0.0}));
}

TEST(IPlugBase, LoadParametersHandlesEveryTruncation)
{
  const ByteChunk full = Doubles({0.75, 2.0, -5.0});
  for (int len = 0; len <= full.Size(); ++len) {
    SmallPlug p;
    ByteChunk c;
    c.PutBytes(full.Data(), len);
    const int end = p.LoadParameters(c, 0);
    const int whole = len / 8;
    if (len == full.Size()) {
      EXPECT_EQ(end, 24);
    } else {
      EXPECT_EQ(end, -1) << len;
    }
    // Complete values load (clamped); the first short read stores the clamped 0; the rest stay.
    const double expected[3] = {0.75, 1.0, -1.0};
    const double initial[3] = {0.25, 0.5, 0.0};
    for (int i = 0; i < 3; ++i) {
      double want = i < whole ? expected[i] : (i == whole ? p.GetParam(i)->Clamp(0.0) : initial[i]);
      EXPECT_EQ(p.GetParam(i)->value, want) << "len " << len << " param " << i;
    }
    EXPECT_EQ(p.changed, (std::vector<int>{0, 1, 2}));
  }
}

TEST(IPlugBase, StateHeaderIsMagicThenVersion)
{
  ByteChunk c;
  IPlugBase::WriteStateHeader(c);
  const unsigned char expected[8] = {0x74, 0x66, 0x66, 0x70, 0x00, 0x00, 0x01, 0x00};
  ASSERT_EQ(c.Size(), 8);
  EXPECT_EQ(std::memcmp(c.Data(), expected, 8), 0);

  int pos = 0;
  EXPECT_EQ(IPlugBase::ReadStateHeader(c, pos), 0x00010000);
  EXPECT_EQ(pos, 8);

  ByteChunk cut;
  cut.PutBytes(expected, 6);
  pos = 0;
  EXPECT_EQ(IPlugBase::ReadStateHeader(cut, pos), 0);
  EXPECT_EQ(pos, -1);

  const ByteChunk bare = Doubles({1.0});
  pos = 0;
  EXPECT_EQ(IPlugBase::ReadStateHeader(bare, pos), 0);
  EXPECT_EQ(pos, 0);
}

TEST(IPlugBase, ApplyingAnEmptyProgramNamesItAfterTheUserPresetsSoFar)
{
  SmallPlug p;
  EXPECT_TRUE(p.ApplyPreset(1));
  EXPECT_STREQ(p.GetPresetName(1), "user preset 1");
  EXPECT_TRUE(p.PresetIsInitialized(1));
  EXPECT_EQ(*p.PresetChunk(1), Doubles({0.25, 0.5, 0.0}));
  EXPECT_EQ(p.GetCurrentPresetIdx(), 1);
  EXPECT_EQ(p.selections, 1);

  SmallPlug q;
  q.ApplyPreset(0);
  q.ApplyPreset(1);
  EXPECT_TRUE(q.ApplyPreset(3));
  EXPECT_STREQ(q.GetPresetName(3), "user preset 3");
}

TEST(IPlugBase, ApplyPresetRejectsBadIndicesAndLoadsStoredPrograms)
{
  SmallPlug p;
  EXPECT_FALSE(p.ApplyPreset(-1));
  EXPECT_FALSE(p.ApplyPreset(4));
  EXPECT_EQ(p.GetCurrentPresetIdx(), 0);
  EXPECT_EQ(p.selections, 0);

  const double values[3] = {0.1, 0.2, 0.3};
  p.AddFactoryPreset("First", values);
  EXPECT_EQ(p.GetParam(0)->value, 0.25);  // adding does not touch the live values
  EXPECT_TRUE(p.ApplyPreset(0));
  EXPECT_EQ(p.GetParam(2)->value, 0.3);
}

TEST(IPlugBase, FullProgramListIgnoresFurtherPresets)
{
  SmallPlug p;
  const double values[3] = {0.1, 0.2, 0.3};
  for (int i = 0; i < 4; ++i) p.AddFactoryPreset("F", values);
  ByteChunk before;
  p.SerializePresets(before);
  p.AddFactoryPreset("G", values);
  p.FillEmptyPresets(4, "-");
  ByteChunk after;
  p.SerializePresets(after);
  EXPECT_EQ(before, after);
}

TEST(IPlugBase, FillEmptyPresetsUsesTheCurrentValuesAndTheGivenName)
{
  SmallPlug p;
  const double values[3] = {0.1, 0.2, 0.3};
  p.AddFactoryPreset("F", values);
  p.FillEmptyPresets(2);
  EXPECT_STREQ(p.GetPresetName(1), "Empty");
  EXPECT_STREQ(p.GetPresetName(2), "Empty");
  EXPECT_STREQ(p.GetPresetName(3), "empty");
  EXPECT_FALSE(p.PresetIsInitialized(3));
  EXPECT_EQ(*p.PresetChunk(2), Doubles({0.25, 0.5, 0.0}));
}

TEST(IPlugBase, BankChunkLayoutIsNameLengthNameFlagData)
{
  SmallPlug p;
  const double values[3] = {0.1, 0.2, 0.3};
  p.AddFactoryPreset("Ab", values);
  ByteChunk c;
  EXPECT_TRUE(p.SerializePresets(c));
  ByteChunk expected;
  expected.Put(2);
  expected.PutBytes("Ab", 2);
  expected.Put(static_cast<unsigned char>(1));
  expected.PutBytes(Doubles({0.1, 0.2, 0.3}).Data(), 24);
  for (int i = 0; i < 3; ++i) {
    expected.Put(5);
    expected.PutBytes("empty", 5);
    expected.Put(static_cast<unsigned char>(0));
  }
  EXPECT_EQ(c, expected);
}

TEST(IPlugBase, BankRoundTripAndEveryTruncationStaysInBounds)
{
  SmallPlug src;
  const double a[3] = {0.1, 0.2, 0.3}, b[3] = {0.9, 0.8, -0.7};
  src.AddFactoryPreset("One", a);
  src.AddFactoryPreset("Two", b);
  ByteChunk bank;
  src.SerializePresets(bank);

  SmallPlug dst;
  EXPECT_EQ(dst.LoadPresets(bank, 0), bank.Size());
  ByteChunk again;
  dst.SerializePresets(again);
  EXPECT_EQ(again, bank);
  EXPECT_EQ(dst.GetParam(0)->value, 0.1);  // the current program is applied afterwards

  for (int len = 0; len < bank.Size(); ++len) {
    SmallPlug p;
    ByteChunk cut;
    cut.PutBytes(bank.Data(), len);
    EXPECT_EQ(p.LoadPresets(cut, 0), -1) << len;
  }
}

TEST(IPlugBase, BankWithAnImpossibleNameLengthStops)
{
  ByteChunk c;
  c.Put(0x7FFFFFF0);
  c.PutBytes("x", 1);
  SmallPlug p;
  EXPECT_EQ(p.LoadPresets(c, 0), -1);
  // The name was not taken; re-applying the (empty) current program names it as usual.
  EXPECT_STREQ(p.GetPresetName(0), "user preset 1");
  ByteChunk n;
  n.Put(-4);
  EXPECT_EQ(p.LoadPresets(n, 0), -1);
}

TEST(IPlugBase, LongNamesAreCutToTheNameField)
{
  SmallPlug p;
  const std::string name(300, 'n');
  ByteChunk c;
  for (int i = 0; i < p.NPresets(); ++i) {
    c.Put(static_cast<int>(name.size()));
    c.PutBytes(name.data(), static_cast<int>(name.size()));
    c.Put(static_cast<unsigned char>(i == 0 ? 1 : 0));
    if (i == 0) c.PutBytes(Doubles({0.1, 0.2, 0.3}).Data(), 24);
  }
  EXPECT_EQ(p.LoadPresets(c, 0), c.Size());
  EXPECT_EQ(std::string(p.GetPresetName(1)), name.substr(0, IPreset::kNameLen - 1));
  EXPECT_EQ(p.GetParam(1)->value, 0.2);
}

TEST(IPlugBase, StoreCurrentPresetRenamesOnlyWithANonEmptyName)
{
  SmallPlug p;
  p.ApplyPreset(0);
  p.GetParam(0)->value = 0.6;
  p.StoreCurrentPreset("");
  EXPECT_STREQ(p.GetPresetName(0), "user preset 1");
  EXPECT_EQ(*p.PresetChunk(0), Doubles({0.6, 0.5, 0.0}));
  p.StoreCurrentPreset("Mine");
  EXPECT_STREQ(p.GetPresetName(0), "Mine");
}

TEST(IPlugBase, BlockSizeResizesAndZeroesScratchBuffers)
{
  SmallPlug p;
  p.SetBlockSize(64);
  EXPECT_EQ(p.GetBlockSize(), 64);
  p.SetInputChannelConnections(0, 2, false);
  p.SetBlockSize(16);
  EXPECT_EQ(p.GetBlockSize(), 16);
}

TEST(IPlugBase, BaseProcessCopiesMatchingChannels)
{
  SmallPlug p;
  double in0[3] = {1, 2, 3}, in1[3] = {4, 5, 6}, out0[3] = {}, out1[3] = {};
  double* ins[2] = {in0, in1};
  double* outs[2] = {out0, out1};
  p.ProcessBlock(ins, outs, 3);
  EXPECT_EQ(out1[2], 6.0);
  EXPECT_EQ(out0[0], 1.0);
}

TEST(IPlugBase, ParametersEqualComparesInSinglePrecision)
{
  SmallPlug p;
  const double same[3] = {0.25 + 1e-9, 0.5, 0.0};
  const double differ[3] = {0.25, 0.5, 0.001};
  EXPECT_TRUE(p.ParametersEqual(same));
  EXPECT_FALSE(p.ParametersEqual(differ));
}
