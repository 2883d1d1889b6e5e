#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

#include "tests/host/ReferenceRender.h"

// A Windows module's render under Wine against what the Linux module rendered at build time.
// The two link different C libraries, but the effect computes every transcendental function
// itself with plain double arithmetic, so the 64-bit renders are the same bits: any difference
// at all is a fault (a function that still comes from the C library, an operation contracted
// or reordered by one of the compilers, a stage or program applied differently by one format).
// The 32-bit DLL's compiler helper for complex division (the band transforms divide complex
// numbers) runs on the x87 with its wider registers and may round differently; the largest
// difference seen there, with the C library's maths still in use, was 3.4e-9, far below what a
// real fault shows.
#if defined(__x86_64__)
constexpr double kLargestDifferenceFromLinux = 0.0;
#else
constexpr double kLargestDifferenceFromLinux = 1e-8;
#endif

inline void ExpectTheLinuxRender(const std::vector<double>& ours)
{
  std::vector<double> reference;
  ASSERT_TRUE(ReferenceRender::Read(SKARVEL_REFERENCE_RENDER, reference))
    << "no reference render at " << SKARVEL_REFERENCE_RENDER << ": build the Linux plug-in first (make all)";
  ASSERT_EQ(ours.size(), size_t(56) * 2 * ReferenceRender::kFramesPerProgram);
  ASSERT_EQ(ours.size(), reference.size());

  double worst = 0.0, energy = 0.0;
  size_t worstAt = 0;
  for (size_t i = 0; i < ours.size(); ++i) {
    double d = std::fabs(ours[i] - reference[i]);
    if (!(d <= worst)) {  // NaN counts as the worst of all
      worst = std::isnan(d) ? std::numeric_limits<double>::infinity() : d;
      worstAt = i;
    }
    energy += reference[i] * reference[i];
  }
  EXPECT_GT(energy, 1.0);
  EXPECT_LE(worst, kLargestDifferenceFromLinux)
    << "program " << worstAt / (2 * ReferenceRender::kFramesPerProgram) << ", value "
    << worstAt % (2 * ReferenceRender::kFramesPerProgram);
  std::printf("largest difference from the Linux render: %.3g\n", worst);
}
