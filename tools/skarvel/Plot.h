#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/skarvel/OutputFile.h"

// A small chart renderer for the tool's PNG plots: a dark plot area, grid lines with short
// numeric labels, and curves drawn as smooth 2-pixel lines.
class Plot
{
public:
  Plot(int width, int height);

  void SetXRange(double lo, double hi, bool logarithmic);
  void SetYRange(double lo, double hi);
  void VerticalGrid(double x, const std::string& label);
  void HorizontalGrid(double y, const std::string& label);
  // Points outside the y range are clipped to the plot area.
  void Curve(const std::vector<double>& xs, const std::vector<double>& ys, uint32_t colour);
  // As SavePng writes it.
  std::string Save(const std::string& path, OutputFile::Existing existing) const;

  int Width() const { return width; }
  int Height() const { return height; }
  uint32_t Pixel(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }

private:
  double MapX(double x) const;
  double MapY(double y) const;
  void Blend(int x, int y, uint32_t colour, double alpha);
  void Line(double x0, double y0, double x1, double y1, uint32_t colour);
  void Text(int x, int y, const std::string& text, uint32_t colour);

  int width, height;
  int left, top, right, bottom;  // the plot area
  double xLo = 0, xHi = 1, yLo = 0, yHi = 1;
  bool logX = false;
  std::vector<uint32_t> pixels;
};
