// The adapter from inside: what a host cannot see through the interface (host detection,
// time queries, the editor routing, the state VSTPluginMain leaves the effect in).
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "gui/IGraphicsHeadless.h"
#include "plug/HostDetection.h"
#include "skarvel/Skarvel.h"
#include "plug/module/VSTEntry.h"

namespace {

struct FakeHost
{
  std::string product = "Test Host";
  VstIntPtr version = 100;
  bool answerTime = true;
  VstTimeInfo time{};
  std::vector<VstIntPtr> timeRequests;
  std::vector<std::pair<VstInt32, VstInt32>> calls;  // opcode, index
  std::vector<float> automated;
  std::vector<VstEvent> events;
};

FakeHost* fake = nullptr;

VstIntPtr VSTCALLBACK FakeCallback(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                   float opt)
{
  fake->calls.emplace_back(opcode, index);
  switch (opcode) {
    case audioMasterGetProductString:
      std::snprintf(static_cast<char*>(ptr), 64, "%s", fake->product.c_str());
      return 1;
    case audioMasterGetVendorVersion: return fake->version;
    case audioMasterGetTime:
      fake->timeRequests.push_back(value);
      return fake->answerTime ? reinterpret_cast<VstIntPtr>(&fake->time) : 0;
    case audioMasterAutomate: fake->automated.push_back(opt); return 0;
    case audioMasterProcessEvents: {
      const VstEvents* e = static_cast<const VstEvents*>(ptr);
      for (int i = 0; i < e->numEvents; ++i) fake->events.push_back(*e->events[i]);
      return 1;
    }
    default: return 0;
  }
}

// A plain adapter with two stereo channel pairs; it records the blocks it is handed.
class RecordingPlug : public IPlugVST
{
public:
  RecordingPlug() : IPlugVST(FakeCallback, 2, "2-2", 1, "Recorder", "", "Kernwave", 0x10000, 1, 1, false) {}
  void ProcessBlock(double** in, double** out, int n) override
  {
    blocks.push_back(n);
    IPlugBase::ProcessBlock(in, out, n);
  }
  std::vector<int> blocks;
};

class FakeEditor : public IGraphicsHeadless
{
public:
  explicit FakeEditor(IPlugBase* plug, bool opens = true)
      : IGraphicsHeadless(plug, 512, 480, 25), opens(opens)
  {}
  void* OpenWindow(void* parent) override
  {
    window = opens ? parent : nullptr;
    return window;
  }
  void CloseWindow() override { window = nullptr; }
  void* GetWindow() override { return window; }
  void Idle() override { ++idles; }
  bool opens;
  void* window = nullptr;
  int idles = 0;
};

class VSTAdapter : public ::testing::Test
{
protected:
  void SetUp() override { fake = &host; }
  void TearDown() override { fake = nullptr; }
  FakeHost host;
};

VstIntPtr Dispatch(IPlugVST& plug, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                   void* ptr = nullptr, float opt = 0.0f)
{
  AEffect* e = plug.GetAEffect();
  return e->dispatcher(e, opcode, index, value, ptr, opt);
}

}  // namespace

TEST_F(VSTAdapter, ProductStringsNameTheHostInTableOrder)
{
  const std::pair<const char*, int> rows[] = {
    {"Cubase 12", 3},
    {"REAPER", 1},
    {"Nuendo", 4},
    {"Cakewalk by BandLab", 5},
    {"Samplitude Pro X", 8},
    {"Fruity Loops", 7},
    {"Ableton Live 11", 9},
    {"Melodyne", 12},
    {"VstManLib", 13},
    {"AULab", 14},
    {"GarageBand", 22},
    {"Forte", 15},
    {"Chainer", 16},
    {"Adobe Audition", 17},
    {"Orion", 18},
    {"SAWStudio", 20},
    {"Logic Pro", 21},
    {"Digital Performer", 23},
    {"AudioMulch", 25},
    {"PreSonus Studio One", 26},
    {"VST3PluginTestHost", 27},
    {"ProTools", 2},
    {"Ardour", 28},
    {"Renoise", 29},
    {"OpenMPT", 30},
    {"Standalone", 24},
    {"Bitwig Studio", 0},
    {"", 0},
    // The first row that matches wins.
    {"Reaper Live Cubase", 3},
    {"live reaper", 1},
    {"Olive Tree", 9},
  };
  for (const auto& row : rows)
    EXPECT_EQ(HostDetection::IdFromProductString(row.first), row.second) << row.first;
  EXPECT_EQ(HostDetection::IdFromProductString(nullptr), 0);
}

TEST_F(VSTAdapter, HostVersionsTurnIntoThePluginVersionLayout)
{
  EXPECT_EQ(HostDetection::VersionFromDecimal(8123), 0x5117);
  EXPECT_EQ(HostDetection::VersionFromDecimal(10203), 0x010203);
  EXPECT_EQ(HostDetection::VersionFromDecimal(0), 0);
  host.product = "REAPER";
  host.version = 8123;
  RecordingPlug plug;
  EXPECT_EQ(plug.GetHost(), kHostReaper);
  EXPECT_EQ(plug.GetHostVersion(), 0x5117);
}

TEST_F(VSTAdapter, AnEmptyProductStringIsAnUnknownHostOfVersionZero)
{
  host.product = "";
  host.version = 8123;
  RecordingPlug plug;
  EXPECT_EQ(plug.GetHost(), kHostUnknown);
  EXPECT_EQ(plug.GetHostVersion(), 0);
}

TEST_F(VSTAdapter, TimeQueriesReadOnlyWhatTheHostMarksValid)
{
  RecordingPlug plug;
  host.time.samplePos = 1234.5;
  host.time.tempo = 128.0;
  host.time.timeSigNumerator = 7;
  host.time.timeSigDenominator = 8;
  host.time.ppqPos = 3.5;
  host.time.flags = kVstTimeSigValid | kVstPpqPosValid | kVstTransportPlaying;
  EXPECT_EQ(plug.GetSamplePos(), 1235);
  EXPECT_EQ(plug.GetTempo(), 0.0) << "tempo not marked valid";
  int num = -1, den = -1;
  plug.GetTimeSig(num, den);
  EXPECT_EQ(num, 7);
  EXPECT_EQ(den, 8);
  ITimeInfo info;
  plug.GetTime(info);
  EXPECT_EQ(info.samplePos, 1234.5);
  EXPECT_EQ(info.ppqPos, 3.5);
  EXPECT_EQ(info.tempo, 0.0);
  EXPECT_EQ(info.numerator, 7);
  EXPECT_TRUE(info.transportIsRunning);
  EXPECT_FALSE(info.transportLoopEnabled);
  EXPECT_EQ(host.timeRequests, (std::vector<VstIntPtr>{0, 0x400, 0x2000, 0x3E00}));

  host.time.flags |= kVstTempoValid;
  EXPECT_EQ(plug.GetTempo(), 128.0);
  host.time.samplePos = -3.0;
  EXPECT_EQ(plug.GetSamplePos(), 0);
  host.time.samplePos = 1e12;
  EXPECT_EQ(plug.GetSamplePos(), 2147483647);
  host.answerTime = false;
  EXPECT_EQ(plug.GetSamplePos(), 0);
  ITimeInfo untouched;
  untouched.tempo = 99.0;
  plug.GetTime(untouched);
  EXPECT_EQ(untouched.tempo, 99.0);
}

TEST_F(VSTAdapter, EditsAndMidiReachTheHost)
{
  RecordingPlug plug;
  plug.BeginInformHostOfParamChange(1);
  plug.SetParameterFromEditor(1, 0.25);
  plug.EndInformHostOfParamChange(1);
  plug.InformHostOfProgramChange();
  const std::vector<std::pair<VstInt32, VstInt32>> expected = {{audioMasterBeginEdit, 1},
                                                               {audioMasterAutomate, 1},
                                                               {audioMasterEndEdit, 1},
                                                               {audioMasterUpdateDisplay, 0}};
  EXPECT_EQ(host.calls, expected);
  EXPECT_EQ(host.automated, std::vector<float>{0.25f});

  EXPECT_TRUE(plug.SendMidiMsg(5, 0x80, 64, 0));
  const unsigned char dump[] = {0xF0, 0x7E, 0xF7};
  EXPECT_TRUE(plug.SendSysEx(9, 3, dump));
  ASSERT_EQ(host.events.size(), 2u);
  const VstMidiEvent& m = reinterpret_cast<const VstMidiEvent&>(host.events[0]);
  EXPECT_EQ(m.type, kVstMidiType);
  EXPECT_EQ(m.byteSize, 32);
  EXPECT_EQ(m.deltaFrames, 5);
  EXPECT_EQ(m.flags, 1);
  EXPECT_EQ(static_cast<unsigned char>(m.midiData[0]), 0x80);
  EXPECT_EQ(m.midiData[1], 64);
  EXPECT_EQ(host.events[1].type, kVstSysExType);
  EXPECT_EQ(host.events[1].deltaFrames, 9);
}

TEST_F(VSTAdapter, BlocksReachTheEffectInSlicesOfTheBlockSize)
{
  RecordingPlug plug;
  AEffect* e = plug.GetAEffect();
  Dispatch(plug, effSetBlockSize, 0, 100);
  std::vector<float> f(250, 0.5f);
  float* fl[] = {f.data(), f.data()};
  e->processReplacing(e, fl, fl, 250);
  e->process(e, fl, fl, 250);
  std::vector<double> d(250, 0.5);
  double* dl[] = {d.data(), d.data()};
  e->processDoubleReplacing(e, dl, dl, 250);
  EXPECT_EQ(plug.blocks, (std::vector<int>{100, 100, 50, 100, 100, 50, 100, 100, 50}));
}

TEST_F(VSTAdapter, SampleRateAndBlockSizeTakeOnlyUsableValues)
{
  RecordingPlug plug;
  Dispatch(plug, effSetSampleRate, 0, 0, nullptr, 48000.0f);
  for (float bad : {0.0f, -44100.0f, std::nanf(""), INFINITY})
    Dispatch(plug, effSetSampleRate, 0, 0, nullptr, bad);
  EXPECT_EQ(plug.GetSampleRate(), 48000.0);
  Dispatch(plug, effSetBlockSize, 0, static_cast<VstIntPtr>(0x7FFFFFFF));
  EXPECT_EQ(plug.GetBlockSize(), IPlugVST::kMaxBlockSize);
}

TEST_F(VSTAdapter, TheEntryPointLeavesProgramZeroLive)
{
  AEffect* e = VSTPluginMain(FakeCallback);
  ASSERT_TRUE(e);
  Skarvel& plug = *static_cast<Skarvel*>(IPlugVST::FromAEffect(e));
  EXPECT_EQ(plug.GetCurrentPresetIdx(), 0);
  const ByteChunk& program = *plug.PresetChunk(0);
  ASSERT_EQ(program.Size(), 8 * kNumParams);
  for (int i = 0; i < kNumParams; ++i) {
    double v = 0.0;
    program.Get(v, 8 * i);
    EXPECT_EQ(plug.GetParam(i)->value, v) << i;
    EXPECT_EQ(plug.Mirror(kSkarvelParams[i].mirror), v) << i;
  }
  for (int p = 0; p < plug.NPresets(); ++p) EXPECT_TRUE(plug.PresetIsInitialized(p));
  e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f);
}

// The edits go into the program being left even when the index asked for is no program.
TEST_F(VSTAdapter, AnInvalidProgramStillStoresTheEditsOfTheCurrentOne)
{
  AEffect* e = VSTPluginMain(FakeCallback);
  ASSERT_TRUE(e);
  Skarvel& plug = *static_cast<Skarvel*>(IPlugVST::FromAEffect(e));
  e->dispatcher(e, effSetProgram, 0, 3, nullptr, 0.0f);
  e->setParameter(e, 6, 0.4f);
  e->dispatcher(e, effSetProgram, 0, 56, nullptr, 0.0f);
  EXPECT_EQ(plug.GetCurrentPresetIdx(), 3);
  double stored = 0.0;
  plug.PresetChunk(3)->Get(stored, 8 * 6);
  EXPECT_EQ(stored, static_cast<double>(0.4f));
  e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f);
}

TEST_F(VSTAdapter, EditorCallsGoThroughTheAttachedSurface)
{
  RecordingPlug plug;
  FakeEditor editor(&plug);
  EXPECT_EQ(Dispatch(plug, effEditGetRect, 0, 0, nullptr), 0);
  plug.AttachEditor(&editor);
  EXPECT_TRUE(plug.GetAEffect()->flags & effFlagsHasEditor);

  ERect* rect = nullptr;
  EXPECT_EQ(Dispatch(plug, effEditGetRect, 0, 0, &rect), 1);
  ASSERT_TRUE(rect);
  EXPECT_EQ(rect->top, 0);
  EXPECT_EQ(rect->left, 0);
  EXPECT_EQ(rect->bottom, 480);
  EXPECT_EQ(rect->right, 512);

  int parent = 0;
  Dispatch(plug, effEditIdle);
  EXPECT_EQ(editor.idles, 0) << "no window yet";
  EXPECT_EQ(Dispatch(plug, effEditOpen, 0, 0, &parent), 1);
  EXPECT_EQ(editor.window, &parent);
  Dispatch(plug, effEditIdle);
  EXPECT_EQ(editor.idles, 1);
  plug.ResizeGraphics(300, 200);
  EXPECT_EQ(rect->bottom, 200);
  EXPECT_EQ(rect->right, 300);
  EXPECT_EQ(Dispatch(plug, effEditClose), 1);
  EXPECT_EQ(editor.window, nullptr);

  editor.opens = false;
  EXPECT_EQ(Dispatch(plug, effEditOpen, 0, 0, &parent), 0);
  plug.AttachEditor(nullptr);
  EXPECT_FALSE(plug.GetAEffect()->flags & effFlagsHasEditor);
}
