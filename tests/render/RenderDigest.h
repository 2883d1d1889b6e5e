#pragma once

#include <string>
#include <vector>

#include "tests/host/TestHost.h"

// A render reduced to a few numbers: for each channel the sum and the sum of squares of all
// its samples, then samples picked at evenly spread frames, channel by channel.
struct RenderDigest
{
  std::string name;
  std::vector<double> values;
  // The settings ran a non-linear stage on the signal (known when rendered, not stored).
  bool nonLinear = false;
};

RenderDigest Digest(const std::string& name, const DoubleBuffers& render, int picksPerChannel);

// One digest per line: the name, a tab, then the values with 17 significant digits.
bool WriteDigests(const std::string& path, const std::vector<RenderDigest>& digests);
std::vector<RenderDigest> ReadDigests(const std::string& path);

// The largest |value - reference| / |reference| over two digests of equal length (a zero
// reference counts as the smallest normal double), with the index where it occurs.
double LargestRelativeDifference(const RenderDigest& value, const RenderDigest& reference, size_t& where);
