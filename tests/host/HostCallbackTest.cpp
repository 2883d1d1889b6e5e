#include <cstring>

#include "tests/host/SkarvelUnderTest.h"

TEST(HostCallback, OpeningAsksTheHostWhoItIs)
{
  HostConfig config;
  config.productString = "REAPER";
  config.vendorVersion = 8123;
  auto host = LoadSkarvel(config);
  ASSERT_TRUE(host);
  host->Dispatch(effOpen);
  EXPECT_EQ(host->CountCalls(audioMasterGetProductString), 1);
  EXPECT_EQ(host->CountCalls(audioMasterGetVendorVersion), 1);
  // Detection happens once per object.
  host->Dispatch(effOpen);
  EXPECT_EQ(host->CountCalls(audioMasterGetProductString), 1);
}

TEST(HostCallback, MidiEventsAreSentBackToTheHost)
{
  auto host = LoadSkarvel();
  ASSERT_TRUE(host);
  host->Start(44100.0f, 256);

  VstMidiEvent note{};
  note.type = kVstMidiType;
  note.byteSize = sizeof(note);
  note.deltaFrames = 17;
  note.midiData[0] = static_cast<char>(0x90);
  note.midiData[1] = 60;
  note.midiData[2] = 100;
  VstMidiSysexEvent sysex{};
  sysex.type = kVstSysExType;
  sysex.byteSize = sizeof(sysex);
  VstEvent other{};
  other.type = 3;
  // Room for four pointers; the published record declares two.
  struct
  {
    VstEvents head;
    VstEvent* more[2];
  } list{};
  list.head.numEvents = 4;
  list.head.events[0] = reinterpret_cast<VstEvent*>(&sysex);
  list.head.events[1] = nullptr;
  list.more[0] = &other;
  list.more[1] = reinterpret_cast<VstEvent*>(&note);

  EXPECT_EQ(host->Dispatch(effProcessEvents, 0, 0, &list.head), 1);
  ASSERT_EQ(host->Midi().size(), 1u);
  const ReceivedMidi& m = host->Midi()[0];
  EXPECT_EQ(m.deltaFrames, 17);
  EXPECT_EQ(m.flags, 1);
  EXPECT_EQ(m.bytes[0], 0x90);
  EXPECT_EQ(m.bytes[1], 60);
  EXPECT_EQ(m.bytes[2], 100);
  EXPECT_EQ(host->Dispatch(effProcessEvents, 0, 0, nullptr), 0);
}

// Tests and some scanners pass no callback at all: nothing may call through it.
TEST(HostCallback, ANullCallbackIsSafeEverywhere)
{
  std::string error;
  auto module = PluginModule::Open(SkarvelPath(), error);
  ASSERT_TRUE(module) << error;
  auto entry = reinterpret_cast<VstPluginMainProc>(module->Symbol("VSTPluginMain"));
  ASSERT_TRUE(entry);
  AEffect* e = entry(nullptr);
  ASSERT_TRUE(e);
  e->dispatcher(e, effOpen, 0, 0, nullptr, 0.0f);
  e->dispatcher(e, effSetSampleRate, 0, 0, nullptr, 48000.0f);
  e->dispatcher(e, effSetBlockSize, 0, 64, nullptr, 0.0f);
  e->dispatcher(e, effMainsChanged, 0, 1, nullptr, 0.0f);
  VstMidiEvent note{};
  note.type = kVstMidiType;
  VstEvents events{};
  events.numEvents = 1;
  events.events[0] = reinterpret_cast<VstEvent*>(&note);
  EXPECT_EQ(e->dispatcher(e, effProcessEvents, 0, 0, &events, 0.0f), 1);
  e->setParameter(e, 0, 0.5f);
  std::vector<float> l(64, 0.25f), r(64, -0.25f), ol(64), orr(64);
  float* in[] = {l.data(), r.data()};
  float* out[] = {ol.data(), orr.data()};
  e->processReplacing(e, in, out, 64);
  void* chunk = nullptr;
  EXPECT_GT(e->dispatcher(e, effGetChunk, 0, 0, &chunk, 0.0f), 0);
  char name[64] = {};
  EXPECT_EQ(e->dispatcher(e, effGetEffectName, 0, 0, name, 0.0f), 1);
  EXPECT_STREQ(name, "Skarvel 1.3 Free");
  e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f);
}
