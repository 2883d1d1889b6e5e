#include "tools/skarvel/Plot.h"

#include <algorithm>
#include <cmath>

#include "tools/skarvel/PngWriter.h"

namespace {

constexpr uint32_t kBackground = 0xFF16181C;
constexpr uint32_t kArea = 0xFF1E2127;
constexpr uint32_t kGrid = 0xFF3A3F48;
constexpr uint32_t kLabel = 0xFFA8B0BC;

// 3x5 glyphs for the labels: digits and the few signs and unit letters they use.
struct Glyph
{
  char c;
  uint8_t rows[5];
};
const Glyph kGlyphs[] = {
  {'0', {7, 5, 5, 5, 7}}, {'1', {2, 6, 2, 2, 7}}, {'2', {7, 1, 7, 4, 7}}, {'3', {7, 1, 7, 1, 7}},
  {'4', {5, 5, 7, 1, 1}}, {'5', {7, 4, 7, 1, 7}}, {'6', {7, 4, 7, 5, 7}}, {'7', {7, 1, 1, 1, 1}},
  {'8', {7, 5, 7, 5, 7}}, {'9', {7, 5, 7, 1, 7}}, {'-', {0, 0, 7, 0, 0}}, {'+', {0, 2, 7, 2, 0}},
  {'.', {0, 0, 0, 0, 2}}, {'k', {4, 5, 6, 5, 5}}, {'H', {5, 5, 7, 5, 5}}, {'z', {0, 7, 1, 2, 7}},
  {'d', {1, 1, 7, 5, 7}}, {'B', {6, 5, 6, 5, 6}}, {'x', {0, 5, 2, 5, 0}}, {'y', {5, 5, 7, 1, 7}},
};

}  // namespace

Plot::Plot(int w, int h)
    : width(w), height(h), left(44), top(12), right(w - 12), bottom(h - 24),
      pixels(static_cast<size_t>(w) * static_cast<size_t>(h), kBackground)
{
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) pixels[static_cast<size_t>(y) * width + x] = kArea;
}

void Plot::SetXRange(double lo, double hi, bool logarithmic)
{
  xLo = lo;
  xHi = hi;
  logX = logarithmic;
}

void Plot::SetYRange(double lo, double hi)
{
  yLo = lo;
  yHi = hi;
}

double Plot::MapX(double x) const
{
  const double t = logX ? std::log(x / xLo) / std::log(xHi / xLo) : (x - xLo) / (xHi - xLo);
  return left + t * (right - 1 - left);
}

double Plot::MapY(double y) const { return bottom - 1 - (y - yLo) / (yHi - yLo) * (bottom - 1 - top); }

void Plot::Blend(int x, int y, uint32_t colour, double alpha)
{
  if (x < left || x >= right || y < top || y >= bottom || alpha <= 0.0) return;
  uint32_t& p = pixels[static_cast<size_t>(y) * width + x];
  const double a = std::min(alpha, 1.0);
  uint32_t out = 0xFF000000;
  for (int shift = 0; shift < 24; shift += 8) {
    const double d = (p >> shift) & 0xFF, s = (colour >> shift) & 0xFF;
    out |= static_cast<uint32_t>(d + (s - d) * a + 0.5) << shift;
  }
  p = out;
}

void Plot::Line(double x0, double y0, double x1, double y1, uint32_t colour)
{
  const double len = std::max(std::fabs(x1 - x0), std::fabs(y1 - y0));
  const int steps = std::max(1, static_cast<int>(std::ceil(len * 2.0)));
  for (int i = 0; i <= steps; ++i) {
    const double x = x0 + (x1 - x0) * i / steps, y = y0 + (y1 - y0) * i / steps;
    // A 2-pixel pen: coverage falls off linearly with the distance from the centre.
    for (int py = static_cast<int>(std::floor(y - 1.5)); py <= static_cast<int>(std::ceil(y + 1.5)); ++py)
      for (int px = static_cast<int>(std::floor(x - 1.5)); px <= static_cast<int>(std::ceil(x + 1.5)); ++px) {
        const double d = std::hypot(px - x, py - y);
        Blend(px, py, colour, (1.5 - d) * 0.6);
      }
  }
}

void Plot::Text(int x, int y, const std::string& text, uint32_t colour)
{
  for (char c : text) {
    for (const Glyph& g : kGlyphs)
      if (g.c == c)
        for (int r = 0; r < 5; ++r)
          for (int b = 0; b < 3; ++b)
            if (g.rows[r] & (4 >> b))
              for (int sy = 0; sy < 2; ++sy)
                for (int sx = 0; sx < 2; ++sx) {
                  const int px = x + b * 2 + sx, py = y + r * 2 + sy;
                  if (px >= 0 && px < width && py >= 0 && py < height)
                    pixels[static_cast<size_t>(py) * width + px] = colour;
                }
    x += 8;
  }
}

void Plot::VerticalGrid(double x, const std::string& label)
{
  const int px = static_cast<int>(MapX(x) + 0.5);
  for (int y = top; y < bottom; ++y) Blend(px, y, kGrid, 1.0);
  Text(px - static_cast<int>(label.size()) * 4, bottom + 6, label, kLabel);
}

void Plot::HorizontalGrid(double y, const std::string& label)
{
  const int py = static_cast<int>(MapY(y) + 0.5);
  for (int x = left; x < right; ++x) Blend(x, py, kGrid, 1.0);
  Text(left - 6 - static_cast<int>(label.size()) * 8, py - 5, label, kLabel);
}

void Plot::Curve(const std::vector<double>& xs, const std::vector<double>& ys, uint32_t colour)
{
  const size_t n = std::min(xs.size(), ys.size());
  for (size_t i = 1; i < n; ++i) {
    if (!std::isfinite(ys[i - 1]) || !std::isfinite(ys[i])) continue;
    const double clampLo = yLo - (yHi - yLo), clampHi = yHi + (yHi - yLo);
    Line(MapX(xs[i - 1]), MapY(std::clamp(ys[i - 1], clampLo, clampHi)), MapX(xs[i]),
         MapY(std::clamp(ys[i], clampLo, clampHi)), colour);
  }
}

std::string Plot::Save(const std::string& path, OutputFile::Existing existing) const
{
  return SavePng(path, pixels.data(), width, height, width, existing);
}
