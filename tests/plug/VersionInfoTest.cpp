#include <gtest/gtest.h>

#include "skarvel/Skarvel.h"

TEST(VersionInfo, NamesAreComposedFromMakerProductAndVersion)
{
  Skarvel fx(nullptr);
  const VersionInfo& v = fx.GetVersionInfo();
  EXPECT_EQ(v.majorVersion, 1);
  EXPECT_EQ(v.secondNumber, 777);
  EXPECT_EQ(v.shortName, "Skarvel 1.3");
  EXPECT_EQ(v.fullName, "Skarvel 1.3 Free");
  EXPECT_EQ(v.longName, "Kernwave Skarvel Version 1.3 Free");
  EXPECT_EQ(v.fullName, fx.GetEffectName());
  EXPECT_EQ(v.uniqueId, static_cast<unsigned>(fx.GetUniqueID()));
}
