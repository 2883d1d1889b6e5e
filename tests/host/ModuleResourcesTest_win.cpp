#include <windows.h>

#include <set>

#include "skarvel/PanelLayout.h"
#include "tests/host/SkarvelUnderTest.h"

namespace {

BOOL CALLBACK CollectId(HMODULE, LPCSTR, LPSTR name, LONG_PTR ids)
{
  reinterpret_cast<std::set<int>*>(ids)->insert(IS_INTRESOURCE(name) ? int(reinterpret_cast<ULONG_PTR>(name))
                                                                     : -1);
  return TRUE;
}

}  // namespace

// The editor's art travels inside the DLL, under the ids the layout loads.
TEST(ModuleResources, TheDllCarriesEveryBitmapOfTheLayout)
{
  auto host = LoadSkarvel();
  ASSERT_TRUE(host);
  HMODULE dll = GetModuleHandleA(SkarvelPath().c_str());
  ASSERT_NE(dll, nullptr);
  std::set<int> ids;
  ASSERT_TRUE(EnumResourceNamesA(dll, "PNG", CollectId, reinterpret_cast<LONG_PTR>(&ids)));
  std::set<int> expected;
  for (const PanelLayout::SkinBitmap& b : PanelLayout::kBitmaps) expected.insert(b.id);
  EXPECT_EQ(ids, expected);
  // Nothing of the art is in the host's own executable.
  EXPECT_FALSE(FindResourceA(nullptr, MAKEINTRESOURCEA(1103), "PNG"));
}
