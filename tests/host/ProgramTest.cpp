#include "tests/host/SkarvelUnderTest.h"

namespace {

std::unique_ptr<TestHost> Started()
{
  auto host = LoadSkarvel();
  if (host) host->Start(44100.0f, 256);
  return host;
}

}  // namespace

TEST(Programs, EveryProgramHasAName)
{
  auto host = Started();
  ASSERT_TRUE(host);
  EXPECT_EQ(host->Dispatch(effGetProgram), 0);
  VstIntPtr r = 0;
  for (int p = 0; p < 56; ++p) {
    EXPECT_FALSE(host->DispatchText(effGetProgramNameIndexed, p, 0, 0.0f, &r).empty());
    EXPECT_EQ(r, 1);
  }
  for (int p : {56, -1}) {
    EXPECT_EQ(host->DispatchText(effGetProgramNameIndexed, p, 0, 0.0f, &r), "");
    EXPECT_EQ(r, 0);
  }
  EXPECT_EQ(host->Dispatch(effGetProgramNameIndexed, 0, 0, nullptr), 0);
}

TEST(Programs, SwitchingKeepsTheEditsOfTheProgramLeft)
{
  auto host = Started();
  ASSERT_TRUE(host);
  host->SetParameter(6, 0.4f);
  host->Dispatch(effSetProgram, 0, 1);
  EXPECT_EQ(host->Dispatch(effGetProgram), 1);
  host->Dispatch(effSetProgram, 0, 0);
  EXPECT_EQ(host->GetParameter(6), 0.4f);
}

TEST(Programs, AnInvalidProgramKeepsTheCurrentOneWithItsEdits)
{
  auto host = Started();
  ASSERT_TRUE(host);
  host->Dispatch(effSetProgram, 0, 3);
  host->SetParameter(6, 0.4f);
  const VstIntPtr huge = sizeof(VstIntPtr) > 4 ? static_cast<VstIntPtr>(1) << 40 : -7;
  for (VstIntPtr p : {static_cast<VstIntPtr>(56), static_cast<VstIntPtr>(-1), huge}) {
    host->Dispatch(effSetProgram, 0, p);
    EXPECT_EQ(host->Dispatch(effGetProgram), 3) << p;
    EXPECT_EQ(host->GetParameter(6), 0.4f) << p;
  }
}

TEST(Programs, RenamingTheCurrentProgram)
{
  auto host = Started();
  ASSERT_TRUE(host);
  host->Dispatch(effSetProgram, 0, 2);
  char name[] = "My Sound";
  host->Dispatch(effSetProgramName, 0, 0, name);
  EXPECT_EQ(host->DispatchText(effGetProgramName), "My Sound");
  EXPECT_EQ(host->DispatchText(effGetProgramNameIndexed, 2), "My Sound");
  char empty[] = "";
  host->Dispatch(effSetProgramName, 0, 0, empty);
  EXPECT_EQ(host->DispatchText(effGetProgramName), "My Sound") << "an empty text keeps the name";
}
