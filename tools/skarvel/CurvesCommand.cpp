// `skarvel curves`: draws the distortion's two editor curves for the current settings.
#include <cmath>
#include <cstdio>
#include <vector>

#include "skarvel/Skarvel.h"
#include "tools/skarvel/Command.h"
#include "tools/skarvel/OutputOptions.h"
#include "tools/skarvel/Plot.h"
#include "tools/skarvel/PngWriter.h"
#include "tools/skarvel/SessionSetup.h"

namespace {

constexpr int kPanel = 420;
constexpr uint32_t kReference = 0xFF59606C;
constexpr uint32_t kTransferColour = 0xFFF0A040;
constexpr uint32_t kWaveColour = 0xFF50C8F0;

void AxisGrid(Plot& plot)
{
  plot.SetYRange(-1.05, 1.05);
  for (double y : {-1.0, -0.5, 0.0, 0.5, 1.0}) {
    char label[16];
    std::snprintf(label, sizeof label, "%g", y);
    plot.HorizontalGrid(y, label);
  }
}

// Output against input over -1..1, with the identity as reference.
Plot TransferPlot(const double* transfer, int n)
{
  Plot plot(kPanel, kPanel);
  plot.SetXRange(-1.0, 1.0, false);
  AxisGrid(plot);
  for (double x : {-1.0, -0.5, 0.0, 0.5, 1.0}) {
    char label[16];
    std::snprintf(label, sizeof label, "%g", x);
    plot.VerticalGrid(x, label);
  }
  std::vector<double> xs(n), ys(transfer, transfer + n);
  for (int j = 0; j < n; ++j) xs[j] = (j / static_cast<double>(n) - 0.5) * 2.0;
  plot.Curve({-1.0, 1.0}, {-1.0, 1.0}, kReference);
  plot.Curve(xs, ys, kTransferColour);
  return plot;
}

// One shaped sine period over the point index, with the plain sine as reference.
Plot WavePlot(const double* wave, int n)
{
  Plot plot(kPanel, kPanel);
  plot.SetXRange(0.0, n - 1, false);
  AxisGrid(plot);
  for (int x : {0, n / 4, n / 2, 3 * n / 4, n - 1}) plot.VerticalGrid(x, std::to_string(x));
  std::vector<double> xs(n), sine(n), ys(wave, wave + n);
  for (int i = 0; i < n; ++i) {
    xs[i] = i;
    sine[i] = std::sin(2.0 * 3.141592653589793 * i / n);
  }
  plot.Curve(xs, sine, kReference);
  plot.Curve(xs, ys, kWaveColour);
  return plot;
}

std::string SideBySide(const std::string& path, const Plot& a, const Plot& b, OutputFile::Existing existing)
{
  const int width = a.Width() + b.Width(), height = a.Height();
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < a.Width(); ++x) pixels[static_cast<size_t>(y) * width + x] = a.Pixel(x, y);
    for (int x = 0; x < b.Width(); ++x)
      pixels[static_cast<size_t>(y) * width + a.Width() + x] = b.Pixel(x, y);
  }
  return SavePng(path, pixels.data(), width, height, width, existing);
}

}  // namespace

int RunCurves(const std::vector<std::string>& args)
{
  Options o;
  SessionOptions setup;
  std::string error = ParseOptions(args, SessionFlags(), OutputSwitches(), o);
  if (error.empty() && o.positional.size() != 1) error = UsageOf("curves");
  if (error.empty()) error = ParseSessionOptions(o, setup);
  if (!error.empty()) return UsageError(error);
  const std::string& out = o.positional[0];
  error = OutputRefusal(o, out);
  if (!error.empty()) return Fail(error);
  EffectSession session(44100.0, 512);
  error = ConfigureSession(setup, session);
  if (!error.empty()) return Fail(error);

  Skarvel& fx = session.Effect();
  const Kernwave::Distortion& distortion = fx.GetDistortion();
  const int n = Kernwave::Distortion::kCurvePoints;
  double wave[n], transfer[n];
  distortion.RenderCurves(wave, transfer);
  error = SideBySide(out, TransferPlot(transfer, n), WavePlot(wave, n), ExistingOutput(o));
  if (!error.empty()) return Fail(error);
  Inform(o, "%d: %s, %s, drive %g: transfer curve (left), waveform (right)", distortion.ShapeType() + 1,
         distortion.ShapeTypeName(fx.Mirror(mDistortionType)), distortion.InterpolationName(),
         fx.Mirror(mDistortion));
  return 0;
}
