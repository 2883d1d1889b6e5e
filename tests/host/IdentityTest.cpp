#include <cstring>

#include "tests/host/SkarvelUnderTest.h"

namespace {

constexpr VstInt32 kFlagsWithoutEditor =
  effFlagsCanReplacing | effFlagsCanDoubleReplacing | effFlagsProgramChunks | effFlagsCanMono;

}  // namespace

TEST(Identity, EffectRecordAnnouncesTheEffect)
{
  auto host = LoadSkarvel();
  ASSERT_TRUE(host);
  const AEffect* e = host->Effect();
  EXPECT_EQ(e->magic, 0x56737450);
  EXPECT_EQ(e->uniqueID, 0x76673263);
  EXPECT_EQ(e->version, 10303);
  EXPECT_EQ(e->numParams, 30);
  EXPECT_EQ(e->numPrograms, 56);
  EXPECT_EQ(e->numInputs, 2);
  EXPECT_EQ(e->numOutputs, 2);
  EXPECT_EQ(e->initialDelay, 0);
  EXPECT_EQ(e->ioRatio, 1.0f);
  EXPECT_EQ(e->user, host.get());
  // Program chunks must be announced or hosts save bare parameter values.
  EXPECT_EQ(e->flags & ~effFlagsHasEditor, kFlagsWithoutEditor);
  EXPECT_TRUE(e->processReplacing && e->processDoubleReplacing && e->process);
}

TEST(Identity, NamesAndVersionsThroughTheDispatcher)
{
  auto host = LoadSkarvel();
  ASSERT_TRUE(host);
  host->Start(44100.0f, 512);
  VstIntPtr r = 0;
  EXPECT_EQ(host->DispatchText(effGetEffectName, 0, 0, 0.0f, &r), "Skarvel 1.3 Free");
  EXPECT_EQ(r, 1);
  EXPECT_EQ(host->DispatchText(effGetVendorString, 0, 0, 0.0f, &r), "Kernwave");
  EXPECT_EQ(r, 1);
  EXPECT_EQ(host->DispatchText(effGetProductString, 0, 0, 0.0f, &r), "");
  EXPECT_EQ(r, 1);
  EXPECT_EQ(host->Dispatch(effGetVstVersion), 2400);
  EXPECT_EQ(host->Dispatch(effGetPlugCategory), 1);
  EXPECT_EQ(host->Dispatch(effIdentify), 0x4E764566);
  EXPECT_EQ(host->Dispatch(effGetEffectName), 0) << "no buffer";
}

TEST(Identity, OldEntryNameCreatesTheSameEffect)
{
  TestHost host;
  ASSERT_TRUE(host.Load(SkarvelPath(), "main")) << host.Error();
  EXPECT_EQ(host.Effect()->uniqueID, 0x76673263);
  EXPECT_EQ(host.DispatchText(effGetEffectName), "Skarvel 1.3 Free");
}

TEST(Identity, PinsAreAStereoPairWithNumberedLabels)
{
  auto host = LoadSkarvel();
  ASSERT_TRUE(host);
  for (bool input : {true, false}) {
    const VstInt32 opcode = input ? effGetInputProperties : effGetOutputProperties;
    const std::string prefix = input ? "Input " : "Output ";
    for (int pin = 0; pin < 2; ++pin) {
      VstPinProperties props;
      std::memset(&props, 0x55, sizeof(props));
      EXPECT_EQ(host->Dispatch(opcode, pin, 0, &props), 1);
      EXPECT_EQ(std::string(props.label), prefix + std::to_string(pin + 1));
      EXPECT_EQ(props.flags, pin == 0 ? kVstPinIsActive | kVstPinIsStereo : kVstPinIsActive);
    }
    VstPinProperties props{};
    EXPECT_EQ(host->Dispatch(opcode, 2, 0, &props), 0);
    EXPECT_EQ(host->Dispatch(opcode, -1, 0, &props), 0);
    EXPECT_EQ(host->Dispatch(opcode, 0, 0, nullptr), 0);
  }
}

TEST(Identity, CanDoAnswersEveryRow)
{
  auto host = LoadSkarvel();
  ASSERT_TRUE(host);
  auto canDo = [&](const char* text) { return host->Dispatch(effCanDo, 0, 0, const_cast<char*>(text)); };
  EXPECT_EQ(canDo("receiveVstTimeInfo"), 1);
  // The effect does not do MIDI.
  EXPECT_EQ(canDo("sendVstEvents"), 0);
  EXPECT_EQ(canDo("sendVstMidiEvent"), 0);
  EXPECT_EQ(canDo("receiveVstEvents"), 0);
  EXPECT_EQ(canDo("receiveVstMidiEvent"), 0);
  // Anything else, and near misses of the known texts.
  EXPECT_EQ(canDo("bypass"), 0);
  EXPECT_EQ(canDo("receivevsttimeinfo"), 0);
  EXPECT_EQ(canDo("receiveVstTimeInfo "), 0);
  EXPECT_EQ(canDo(""), 0);
  EXPECT_EQ(host->Dispatch(effCanDo, 0, 0, nullptr), 0);
}
