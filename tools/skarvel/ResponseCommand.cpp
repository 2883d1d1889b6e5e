#include <cmath>
#include <complex>
#include <cstdio>

#include "tools/skarvel/Command.h"
#include "tools/skarvel/OutputOptions.h"
#include "tools/skarvel/Plot.h"
#include "tools/skarvel/SessionSetup.h"

// `skarvel response`: the magnitude response of the effect's linear path. Two identical
// sessions run one second of silence so that every smoother and filter glide settles; then
// one gets an impulse and the other more silence, and their difference is the impulse
// response (whatever the chain adds on its own, such as a DC offset, cancels).
namespace {

constexpr int kBlock = 512;
constexpr long kResponseLength = 1 << 17;
constexpr float kImpulse = 0.1f;
constexpr int kPoints = 600;

void Run(EffectSession& session, std::vector<float>& left, std::vector<float>& right)
{
  session.Process(left.data(), right.data(), left.data(), right.data(), static_cast<long>(left.size()));
}

std::vector<double> ImpulseResponse(EffectSession& withImpulse, EffectSession& silent, double rate)
{
  std::vector<float> settle(static_cast<size_t>(rate)), settleRight(settle.size());
  for (EffectSession* s : {&withImpulse, &silent}) {
    std::fill(settle.begin(), settle.end(), 0.0f);
    std::fill(settleRight.begin(), settleRight.end(), 0.0f);
    Run(*s, settle, settleRight);
  }
  std::vector<float> a(kResponseLength, 0.0f), aRight(kResponseLength, 0.0f);
  std::vector<float> b(kResponseLength, 0.0f), bRight(kResponseLength, 0.0f);
  a[0] = aRight[0] = kImpulse;
  Run(withImpulse, a, aRight);
  Run(silent, b, bRight);
  std::vector<double> h(kResponseLength);
  for (long i = 0; i < kResponseLength; ++i) h[i] = (static_cast<double>(a[i]) - b[i]) / kImpulse;
  return h;
}

double MagnitudeDb(const std::vector<double>& h, double hz, double rate)
{
  const std::complex<double> step = std::polar(1.0, -6.283185307179586 * hz / rate);
  std::complex<double> z = 1.0, sum = 0.0;
  for (double v : h) {
    sum += v * z;
    z *= step;
  }
  return 20.0 * std::log10(std::abs(sum) + 1e-30);
}

std::string DrawPlot(const std::string& path, const std::vector<double>& hz, const std::vector<double>& db,
                     OutputFile::Existing existing)
{
  double top = -1e300;
  for (double v : db) top = std::fmax(top, v);
  top = 6.0 * std::ceil((top + 3.0) / 6.0);
  const double bottom = top - 84.0;
  Plot plot(800, 420);
  plot.SetXRange(hz.front(), hz.back(), true);
  plot.SetYRange(bottom, top);
  const double marks[] = {20, 50, 100, 200, 500, 1000, 2000, 5000, 10000, 20000};
  const char* const labels[] = {"20", "50", "100", "200", "500", "1k", "2k", "5k", "10k", "20k"};
  for (int i = 0; i < 10; ++i)
    if (marks[i] >= hz.front() && marks[i] <= hz.back()) plot.VerticalGrid(marks[i], labels[i]);
  for (double y = 12.0 * std::ceil(bottom / 12.0); y <= top; y += 12.0)
    plot.HorizontalGrid(y, std::to_string(static_cast<int>(y)));
  plot.Curve(hz, db, 0xFF4FC3F7);
  return plot.Save(path, existing);
}

}  // namespace

int RunResponse(const std::vector<std::string>& args)
{
  std::vector<std::string> flags = SessionFlags();
  flags.push_back("--sample-rate");
  Options o;
  SessionOptions setup;
  long rate = 44100;
  std::string error = ParseOptions(args, flags, OutputSwitches(), o);
  if (error.empty() && o.positional.size() != 1) error = UsageOf("response");
  if (error.empty() && o.Has("--sample-rate") && !ParseInt(o.Value("--sample-rate"), 8000, 384000, rate))
    error = "--sample-rate takes a whole number from 8000 to 384000";
  if (error.empty()) error = ParseSessionOptions(o, setup);
  if (!error.empty()) return UsageError(error);
  const std::string& out = o.positional[0];
  error = OutputRefusal(o, out);
  if (!error.empty()) return Fail(error);

  EffectSession withImpulse(rate, kBlock), silent(rate, kBlock);
  error = ConfigureSession(setup, withImpulse);
  if (error.empty()) error = ConfigureSession(setup, silent);
  if (!error.empty()) return Fail(error);
  const std::vector<double> h = ImpulseResponse(withImpulse, silent, rate);

  const double highest = std::fmin(20000.0, 0.5 * rate);
  std::vector<double> hz(kPoints), db(kPoints);
  for (int i = 0; i < kPoints; ++i) {
    hz[i] = 20.0 * std::pow(highest / 20.0, i / (kPoints - 1.0));
    db[i] = MagnitudeDb(h, hz[i], rate);
  }
  error = DrawPlot(out, hz, db, ExistingOutput(o));
  if (!error.empty()) return Fail(error);
  for (double f : {20.0, 100.0, 1000.0, 10000.0, 20000.0})
    if (f <= highest) Inform(o, "%6.0f Hz %8.2f dB", f, MagnitudeDb(h, f, rate));
  return 0;
}
