#include "tests/render/RenderDigest.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>

RenderDigest Digest(const std::string& name, const DoubleBuffers& render, int picksPerChannel)
{
  RenderDigest d{name, {}};
  for (const auto& channel : render) {
    double sum = 0.0, squares = 0.0;
    for (double x : channel) {
      sum += x;
      squares += x * x;
    }
    d.values.push_back(sum);
    d.values.push_back(squares);
  }
  for (const auto& channel : render) {
    const size_t stride = channel.size() / picksPerChannel;
    for (int k = 0; k < picksPerChannel; ++k) d.values.push_back(channel[k * stride + stride / 2]);
  }
  return d;
}

bool WriteDigests(const std::string& path, const std::vector<RenderDigest>& digests)
{
  std::FILE* f = std::fopen(path.c_str(), "w");
  if (!f) return false;
  for (const RenderDigest& d : digests) {
    std::fprintf(f, "%s\t", d.name.c_str());
    for (size_t i = 0; i < d.values.size(); ++i) std::fprintf(f, i ? " %.17g" : "%.17g", d.values[i]);
    std::fprintf(f, "\n");
  }
  return std::fclose(f) == 0;
}

std::vector<RenderDigest> ReadDigests(const std::string& path)
{
  std::vector<RenderDigest> digests;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    const size_t tab = line.find('\t');
    if (tab == std::string::npos) continue;
    RenderDigest d{line.substr(0, tab), {}};
    // strtod rather than a stream: it reads subnormal values too.
    const char* p = line.c_str() + tab + 1;
    for (char* end;; p = end) {
      const double v = std::strtod(p, &end);
      if (end == p) break;
      d.values.push_back(v);
    }
    digests.push_back(std::move(d));
  }
  return digests;
}

double LargestRelativeDifference(const RenderDigest& value, const RenderDigest& reference, size_t& where)
{
  double largest = 0.0;
  where = 0;
  for (size_t i = 0; i < value.values.size() && i < reference.values.size(); ++i) {
    const double ref = reference.values[i];
    const double scale = std::fabs(ref) > DBL_MIN ? std::fabs(ref) : DBL_MIN;
    const double diff = std::fabs(value.values[i] - ref) / scale;
    if (std::isnan(diff)) {
      where = i;
      return INFINITY;
    }
    if (diff > largest) {
      largest = diff;
      where = i;
    }
  }
  return largest;
}
