#pragma once

#include <string>
#include <vector>

#include "tests/host/TestHost.h"

// A fixed stereo input run through every factory program in double precision, one program
// after another on one effect with its audio state reset in between. The Linux build writes
// it to a file; the Windows build renders the same and compares, so the two platforms are
// shown to compute the same chain.
namespace ReferenceRender
{
constexpr int kFramesPerProgram = 4096;
constexpr int kBlockSize = 512;

// All programs' outputs, left and right interleaved per program block; empty on failure.
std::vector<double> Render(TestHost& host);

// Raw little-endian doubles.
bool Write(const std::string& path, const std::vector<double>& samples);
bool Read(const std::string& path, std::vector<double>& samples);
} // namespace ReferenceRender
