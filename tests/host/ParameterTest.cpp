#include <cmath>
#include <cstring>

#include "tests/host/SkarvelUnderTest.h"

namespace {

std::unique_ptr<TestHost> Started()
{
  auto host = LoadSkarvel();
  if (host) host->Start(44100.0f, 256);
  return host;
}

}  // namespace

TEST(Parameters, NamesLabelsAndDisplayTexts)
{
  auto host = Started();
  ASSERT_TRUE(host);
  // Longer than the 8 characters the interface promises: hosts pass larger buffers.
  EXPECT_EQ(host->DispatchText(effGetParamName, 4), "Sample-Rate Reduction");
  EXPECT_EQ(host->DispatchText(effGetParamName, 0), "Input Volume");
  EXPECT_EQ(host->DispatchText(effGetParamName, 29), "Output Volume");
  EXPECT_EQ(host->DispatchText(effGetParamLabel, 12), "Hz");
  EXPECT_EQ(host->DispatchText(effGetParamLabel, 0), "");

  host->SetParameter(0, 0.5f);
  EXPECT_EQ(host->DispatchText(effGetParamDisplay, 0), "0.500000");
  host->SetParameter(27, 1.0f);
  EXPECT_EQ(host->DispatchText(effGetParamDisplay, 27), "1");

  // The parameters labelled "Hz" show the frequency their setting gives.
  auto shows = [&](VstInt32 index, float value) {
    host->SetParameter(index, value);
    return host->DispatchText(effGetParamDisplay, index);
  };
  EXPECT_EQ(shows(12, 0.0f), "10");
  EXPECT_EQ(shows(12, 0.25f), "68");  // 10 Hz x 2204^0.25, truncated as the editor shows it
  EXPECT_EQ(shows(18, 0.25f), "500.0");
  EXPECT_EQ(shows(21, 0.5f), "2.000");
  EXPECT_EQ(shows(4, 1.0f), "44100.0");  // every sample taken
  EXPECT_EQ(shows(4, 0.0f), "689.1");    // every 64th
  ASSERT_EQ(host->Dispatch(effSetSampleRate, 0, 0, nullptr, 96000.0f), 0);
  EXPECT_EQ(host->DispatchText(effGetParamDisplay, 4), "690.6");  // every 139th
}

TEST(Parameters, SetAndGetThroughTheHostCallbacks)
{
  auto host = Started();
  ASSERT_TRUE(host);
  host->SetParameter(13, 0.3f);
  EXPECT_EQ(host->GetParameter(13), 0.3f);
  EXPECT_EQ(host->DispatchText(effGetParamDisplay, 13), "0.300");
  // Out of range is clamped, not a number is ignored.
  host->SetParameter(13, 1.5f);
  EXPECT_EQ(host->GetParameter(13), 1.0f);
  host->SetParameter(13, -2.0f);
  EXPECT_EQ(host->GetParameter(13), 0.0f);
  host->SetParameter(13, 0.625f);
  host->SetParameter(13, std::nanf(""));
  EXPECT_EQ(host->GetParameter(13), 0.625f);
  // Invalid indices.
  host->SetParameter(30, 0.5f);
  host->SetParameter(-1, 0.5f);
  EXPECT_EQ(host->GetParameter(30), 0.0f);
  EXPECT_EQ(host->GetParameter(-1), 0.0f);
  for (VstInt32 i : {0, 29}) EXPECT_EQ(host->Dispatch(effCanBeAutomated, i), 1);
  for (VstInt32 i : {30, -1}) EXPECT_EQ(host->Dispatch(effCanBeAutomated, i), 0);
}

TEST(Parameters, String2ParameterTakesTypedText)
{
  auto host = Started();
  ASSERT_TRUE(host);
  auto type = [&](VstInt32 index, const char* text) {
    return host->Dispatch(effString2Parameter, index, 0, const_cast<char*>(text));
  };
  EXPECT_EQ(type(13, "0.75"), 1);
  EXPECT_EQ(host->GetParameter(13), 0.75f);
  EXPECT_EQ(host->DispatchText(effGetParamDisplay, 13), "0.750");
  EXPECT_EQ(type(13, "2.5"), 1);
  EXPECT_EQ(host->GetParameter(13), 1.0f);
  EXPECT_EQ(type(13, "-3"), 1);
  EXPECT_EQ(host->GetParameter(13), 0.0f);
  EXPECT_EQ(type(13, "0.5 dB"), 1) << "the leading number counts";
  EXPECT_EQ(host->GetParameter(13), 0.5f);
  EXPECT_EQ(type(13, "nan"), 0);
  EXPECT_EQ(type(13, "inf"), 0);
  EXPECT_EQ(host->GetParameter(13), 0.5f);

  // A "Hz" parameter takes a frequency, with or without the unit, and still the plain value
  // from 0 to 1; the text it then shows reads back to the same setting.
  EXPECT_EQ(type(18, "500 Hz"), 1);
  EXPECT_EQ(host->GetParameter(18), 0.25f);
  EXPECT_EQ(type(18, "1000"), 1);
  EXPECT_EQ(host->GetParameter(18), 0.5f);
  EXPECT_EQ(type(18, "0.75"), 1);
  EXPECT_EQ(host->DispatchText(effGetParamDisplay, 18), "1500.0");
  EXPECT_EQ(type(21, "1hz"), 1);
  EXPECT_EQ(host->DispatchText(effGetParamDisplay, 21), "1.000");
  EXPECT_EQ(type(12, "5 Hz"), 1) << "below the range: its lowest frequency";
  EXPECT_EQ(host->DispatchText(effGetParamDisplay, 12), "10");
  for (const char* hz : {"1000", "22050.0", "689.1 Hz", "11025 Hz", "3000"}) {
    EXPECT_EQ(type(4, hz), 1) << hz;
    const std::string shown = host->DispatchText(effGetParamDisplay, 4);
    EXPECT_EQ(type(4, shown.c_str()), 1);
    EXPECT_EQ(host->DispatchText(effGetParamDisplay, 4), shown) << hz;
  }
  EXPECT_EQ(type(4, "22050.0"), 1);
  EXPECT_EQ(host->DispatchText(effGetParamDisplay, 4), "22050.0");
  EXPECT_EQ(type(12, "Hz"), 0) << "no number";
  EXPECT_EQ(type(12, "nan Hz"), 0);
  // A null text asks whether the call is supported.
  EXPECT_EQ(host->Dispatch(effString2Parameter, 13, 0, nullptr), 1);
  EXPECT_EQ(host->GetParameter(13), 0.5f);
  EXPECT_EQ(type(30, "0.5"), 0);
  EXPECT_EQ(type(-1, "0.5"), 0);
  // The host is not told about the change.
  EXPECT_EQ(host->CountCalls(audioMasterAutomate), 0);
}

TEST(Parameters, VendorSpecificShowsAValueWithoutSettingIt)
{
  auto host = Started();
  ASSERT_TRUE(host);
  host->SetParameter(12, 0.25f);
  VstIntPtr r = 0;
  EXPECT_EQ(host->DispatchText(effVendorSpecific, 7, 12, 0.5f, &r), "469");
  EXPECT_EQ(r, 0xBEEF);
  EXPECT_EQ(host->DispatchText(effVendorSpecific, 7, 0, 0.125f, &r), "0.125000");
  EXPECT_EQ(r, 0xBEEF);
  EXPECT_EQ(host->DispatchText(effVendorSpecific, 7, 12, 3.0f, &r), "22040");
  EXPECT_EQ(host->GetParameter(12), 0.25f);
  EXPECT_EQ(host->Dispatch(effVendorSpecific, 7, 12, nullptr, 0.5f), 0);
  host->DispatchText(effVendorSpecific, 7, 30, 0.5f, &r);
  EXPECT_EQ(r, 0);
  host->DispatchText(effVendorSpecific, 8, 12, 0.5f, &r);
  EXPECT_EQ(r, 0) << "every parameter is of kind double";
}

TEST(Parameters, InvalidIndicesAndUnknownOpcodesAnswerZero)
{
  auto host = Started();
  ASSERT_TRUE(host);
  for (VstInt32 opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay})
    for (VstInt32 index : {30, -1, 1000000}) {
      char text[32] = "untouched";
      EXPECT_EQ(host->Dispatch(opcode, index, 0, text), 0);
      EXPECT_STREQ(text, "untouched") << opcode << " " << index;
    }
  for (VstInt32 opcode : {9, 16, 30, 41, 44, 52, 67, 68, 71, 72, 99, 1000, -1})
    EXPECT_EQ(host->Dispatch(opcode, 1, 1, nullptr, 1.0f), 0) << opcode;
  // Without a window the editor calls answer 0; with one, the rectangle is the editor's.
  ERect* rect = nullptr;
  const VstIntPtr hasRect = host->Dispatch(effEditGetRect, 0, 0, &rect);
  if (host->Effect()->flags & effFlagsHasEditor) {
    ASSERT_EQ(hasRect, 1);
    EXPECT_EQ(rect->right, 512);
    EXPECT_EQ(rect->bottom, 480);
  } else {
    EXPECT_EQ(hasRect, 0);
    EXPECT_EQ(host->Dispatch(effEditOpen), 0);
    EXPECT_EQ(host->Dispatch(effEditClose), 0);
  }
  EXPECT_EQ(host->Dispatch(effEditIdle), 0);
  EXPECT_EQ(host->Dispatch(effIdle), 0);
}
