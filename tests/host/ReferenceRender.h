#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tests/host/TestHost.h"

// A fixed stereo input run through every factory program in double precision, one program
// after another on one effect with its audio state reset in between. The Linux build writes
// it through the VST2 module to a file; the Windows builds render the same through each
// plug-in format and compare, so every platform and format is shown to compute the same chain.
namespace ReferenceRender {
constexpr int kFramesPerProgram = 4096;
constexpr int kBlockSize = 512;
constexpr double kSampleRate = 44100.0;

// One plug-in format's host, started at kSampleRate for blocks of kBlockSize.
struct Player
{
  int programs = 0;
  // Makes program p current with every unit's history cleared; false when that failed.
  std::function<bool(int p)> selectProgram;
  std::function<void(DoubleBuffers& in, DoubleBuffers& out, int frames)> process;
};

// All programs' outputs, left and right interleaved per program block; empty on failure.
std::vector<double> Render(const Player& player);
// The same through a VST2 host.
std::vector<double> Render(TestHost& host);

// Raw little-endian doubles.
bool Write(const std::string& path, const std::vector<double>& samples);
bool Read(const std::string& path, std::vector<double>& samples);
}  // namespace ReferenceRender
