#include "dsp/ShapeTableBuilder.h"

#include <array>
#include <cmath>

#include "dsp/MathConstants.h"
#include "dsp/filters/DesignMath.h"

namespace Kernwave {

namespace {

// The table-driven types, in slot order.
constexpr int kTableTypes[ShapeTableBuilder::kNumTables] = {
  1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 14, 15, 16, 17, 18, 19, 20, 22, 23, 24, 25, 26, 27, 28};

enum Finish { kNone = 0, kNormalise = 1, kClamp = 2, kFade = 4 };

// Finishing steps per type; they always run in the order normalise, clamp, fade-in.
int FinishOf(int type)
{
  switch (type) {
    case 3:
    case 4:
    case 5:
    case 6:
    case 7:
    case 8:
    case 13:
    case 17:
    case 18: return kFade;
    case 14:
    case 15:
    case 16:
    case 19:
    case 20: return kClamp | kFade;
    case 22:
    case 23: return kNormalise | kClamp | kFade;
    case 24:
    case 25:
    case 26: return kNormalise;
    case 27: return kClamp;
    default: return kNone;
  }
}

double Limit01(double v) { return v < 0.0 ? 0.0 : (v > 1.0 ? 1.0 : v); }

// Types whose two halves are equal and whose entry i depends on i and x = i / N alone.
struct ClosedForm
{
  int type;
  int points;
  double (*value)(int i, double x);
};

const ClosedForm kClosedForms[] = {
  {1, 256, [](int, double x) { return x < 0.5 ? x : x - (x - 0.5) * 0.8; }},
  {3, 256,
   [](int, double x) {
     return Limit01((1.0 - x) * 0.2 * Dsp::DesignMath::Cos(21.0 * kPi * x) +
                    0.4 * Dsp::DesignMath::Sin(2.0 * kPi * x) + x +
                    0.1 * Dsp::DesignMath::Sin(7.77 * kPi * x) * (1.0 - x));
   }},
  {4, 256,
   [](int, double x) {
     return (1.0 - x) * 0.3 * Dsp::DesignMath::Cos(7.0 * kPi * x) +
            0.3777 * Dsp::DesignMath::Sin(2.0 * kPi * x - 1.0084512418023237) + x -
            (1.0 - x) * 0.15 * Dsp::DesignMath::Sin(17.0 * kPi * x);
   }},
  {5, 256,
   [](int i, double x) {
     double v = 0.144 * Dsp::DesignMath::Sin(25.0 * kPi * x) + x -
                0.4777 * Dsp::DesignMath::Sin(2.5 * kPi * x) - 0.1777 * Dsp::DesignMath::Cos(77.7 * kPi * x);
     if (i < 25) {
       const double s = Dsp::DesignMath::Sin(kPi * i / 25.0);
       v += s * s;
     }
     return Limit01(v);
   }},
  {6, 256, [](int i, double x) { return ((i % 179) / 179.0 - 0.288) * (1.0 - x) + x; }},
  {7, 256, [](int, double x) { return 0.35777 * Dsp::DesignMath::Sin(4.0 * kPi * x) + x; }},
  {9, 256, [](int, double x) { return x + Dsp::DesignMath::Sin(kPi * x) * (1.0 - x); }},
  // Rises to 0.97 at the middle, then falls back towards 0.73.
  {10, 256,
   [](int i, double) { return i < 128 ? (i / 128.0) * 0.97 : (1.0 - (i - 128) / 128.0) * 0.2425 + 0.7275; }},
  {11, 256,
   [](int, double x) {
     if (x >= 0.8) return x - (x - 0.8) * 0.8;
     const double s = Dsp::DesignMath::Sin(kPi * x / 0.8);
     return x - 0.2 * (s * s * s);
   }},
  {13, 256,
   [](int i, double x) {
     const double g = std::fabs(Dsp::DesignMath::Log(1.0 / 256.0));
     return i == 0 ? 0.0 : (Dsp::DesignMath::Log(x) + g) / g;
   }},
  {17, 256,
   [](int, double x) {
     return (0.5 * Dsp::DesignMath::Cos(8.0 * kPi * x) + 0.5 * Dsp::DesignMath::Sin(16.0 * kPi * x)) *
              (1.0 - x) +
            x;
   }},
  {18, 256,
   [](int, double x) {
     return (0.5 * Dsp::DesignMath::Cos(24.0 * kPi * x) + 0.5 * Dsp::DesignMath::Cos(6.0 * kPi * x) +
             0.5 * Dsp::DesignMath::Sin(12.0 * kPi * x)) *
              (1.0 - x) +
            x;
   }},
  {24, 32, [](int i, double) { return (1.0 - i / 32.0) * ((i & 3) - 1.5) / 3.0 + i / 32.0; }},
  // Silence below a quarter, a sine-shaped onset up to a half, the identity above.
  {28, 256,
   [](int, double x) {
     if (x < 0.25) return 0.0;
     if (x < 0.5) return x * Dsp::DesignMath::Sin((x - 0.25) * 4.0 * kPi / 2.0);
     return x;
   }},
};

}  // namespace

int ShapeTableBuilder::SlotOfType(int type)
{
  for (int slot = 0; slot < kNumTables; ++slot)
    if (kTableTypes[slot] == type) return slot;
  return -1;
}

void ShapeTableBuilder::Build()
{
  randomState = 35;
  BuildClosedForms();
  BuildPrmFuzz2();
  BuildHardcoreFuzz();
  BuildIndustrialFuzz();
  BuildNoizeFreak();  // draws the first 112 numbers
  BuildBigDrives();   // then the next 32
  BuildAssKicking();
  BuildTigersBlood();
  BuildMadDog();
  Finish();
}

ShapeTable& ShapeTableBuilder::Reset(int type, int points)
{
  ShapeTable& t = tables[SlotOfType(type)];
  t.Reset(points);
  return t;
}

double ShapeTableBuilder::Rnd()
{
  randomState = randomState * 214013u + 2531011u;
  const int r = static_cast<int>((randomState >> 16) & 0x7FFF);
  return ((r % 20000) - 10000) / 10000.0;
}

void ShapeTableBuilder::BuildClosedForms()
{
  for (const ClosedForm& form : kClosedForms) {
    ShapeTable& t = Reset(form.type, form.points);
    for (int i = 0; i < form.points; ++i)
      t.positive[i] = t.negative[i] = form.value(i, static_cast<double>(i) / form.points);
  }
}

void ShapeTableBuilder::BuildPrmFuzz2()
{
  ShapeTable& t = Reset(8, 256);
  for (int i = 0; i < 256; ++i) {
    const double x = i / 256.0;
    t.positive[i] = 0.35777 * Dsp::DesignMath::Sin(4.0 * kPi * x) + x;
    t.negative[i] = t.positive[i] - 0.1777 * Dsp::DesignMath::Cos(3.0 * kPi * x);
  }
}

void ShapeTableBuilder::BuildHardcoreFuzz()
{
  std::array<double, 256> a7, a6, a5, a4;
  for (int i = 0; i < 256; ++i) {
    const double x = i / 256.0;
    a7[i] = x + 0.2 * Dsp::DesignMath::Sin(kPi * x) + 0.1 * std::fabs(Dsp::DesignMath::Sin(4.0 * kPi * x));
    a6[i] = x + 0.25 * Dsp::DesignMath::Sin(kPi * x) + 0.15 * std::fabs(Dsp::DesignMath::Sin(6.0 * kPi * x));
    a5[i] = x + 0.25 * Dsp::DesignMath::Sin(kPi * x) + 0.15 * std::fabs(Dsp::DesignMath::Sin(10.0 * kPi * x));
    a4[i] = x + 0.2 * Dsp::DesignMath::Sin(kPi * x) + 0.25 * std::fabs(Dsp::DesignMath::Sin(8.0 * kPi * x));
  }
  // The edits overlap on purpose: each one reads what the earlier ones wrote (a5[74] is
  // itself rewritten halfway through the first loop).
  double g = 0.0;
  for (int k = 75; k <= 174; ++k) {
    a7[k - 20] = a7[74];
    a5[k - 20] = a5[74] - g;
    g -= 0.01;
  }
  double rise = 0.0;
  for (int i = 25; i <= 74; ++i) {
    a7[i - 20] = 0.0;
    a5[i] = rise;
    rise += 0.01;
  }
  for (int i = 100; i <= 116; ++i) a7[i] = 1.0;
  for (int i = 200; i <= 216; ++i) {
    a7[i] = 1.0;
    a6[i] = 0.0;
  }
  for (int i = 180; i <= 196; ++i) a6[i] = 0.0;
  for (int i = 150; i <= 199; ++i) {
    a4[i] = 0.0;
    a6[i] = 1.0;
  }
  for (int i = 7; i <= 43; ++i) {
    a6[i] = 0.0;
    a7[i] = 1.0;
  }
  for (int i = 17; i <= 53; ++i) {
    a5[i] *= 0.1;
    a4[i] = 1.0;
  }

  ShapeTable& fuzz1 = Reset(14, 256);
  fuzz1.positive.assign(a7.begin(), a7.end());
  fuzz1.negative.assign(a6.begin(), a6.end());
  ShapeTable& fuzz2 = Reset(15, 256);
  fuzz2.positive.assign(a5.begin(), a5.end());
  fuzz2.negative.assign(a4.begin(), a4.end());
}

void ShapeTableBuilder::BuildIndustrialFuzz()
{
  ShapeTable& t = Reset(16, 256);
  // Two zigzag walks that turn back whenever they leave [-0.2, 0.2].
  double z = 0.0, s = 0.04321, w = 0.0, u = 0.001;
  for (int i = 0; i < 256; ++i) {
    const double x = i / 256.0;
    const double d = (z > 0.2 || z < -0.2) ? -s : s;
    const double e = (w > 0.2 || w < -0.2) ? -u : u;
    z = z + d;
    s = d - 0.021;
    w = w - e;
    u = e - 0.002;
    t.positive[i] = z + x;
    t.negative[i] = w + x;
  }
  for (int i = 75; i <= 174; ++i) t.positive[i] *= 0.25;
  for (int i = 25; i <= 74; ++i) t.negative[i] *= 0.1;
  for (int i = 100; i <= 116; ++i) t.positive[i] *= 0.25;
  for (int i = 200; i <= 216; ++i) t.negative[i] *= 0.25;
}

void ShapeTableBuilder::BuildNoizeFreak()
{
  ShapeTable& fuzz1 = Reset(19, 64);
  ShapeTable& fuzz2 = Reset(20, 64);
  // S and V keep their value on the entries that draw no fresh number for them.
  double S = 0.0, V = 0.0;
  for (int w = 0; w < 64; ++w) {
    const double c = w / 64.0;
    if (w % 4 == 0) S = Rnd();
    if (w % 2 == 0) V = Rnd();
    const double r3 = Rnd();
    S = 0.4 * S + c;
    if (w < 6) S = S + 0.5 * Dsp::DesignMath::Sin(3.0 * kPi * w / 6.0);
    V = 0.4 * V + c;
    if (w < 8) {
      const double b = Dsp::DesignMath::Sin(2.0 * kPi * w * 0.125);
      V = V + 0.5 * (b * b);
    }
    V = V * (1.0 - c);
    const double R = 0.5 * r3 + c + 0.5 * (1.0 - c) * Dsp::DesignMath::Sin(10.0 * kPi * c);
    fuzz1.positive[w] = S;
    fuzz1.negative[w] = V;
    fuzz2.positive[w] = V;
    fuzz2.negative[w] = R;
  }
}

void ShapeTableBuilder::BuildBigDrives()
{
  ShapeTable& bad = Reset(22, 32);
  ShapeTable& fat = Reset(23, 32);
  for (int a = 0; a < 32; ++a) {
    const double c = a / 32.0;
    const double r = Rnd();
    const double q = Dsp::DesignMath::Sin(4.0 * kPi * c);
    bad.positive[a] = bad.negative[a] = 0.25 * Dsp::DesignMath::Sin(8.0 * kPi * c) + 0.25 * r + q + c;
    const double b = q > 0.0 ? (1.0 - c) + 0.75 * c : 0.75 * c;
    fat.positive[a] = fat.negative[a] =
      0.25 * Dsp::DesignMath::Cos(10.0 * kPi * c) - 0.25 * Dsp::DesignMath::Sin(12.0 * kPi * c) + b;
  }
}

void ShapeTableBuilder::BuildAssKicking()
{
  ShapeTable& t = Reset(25, 70);
  double o = 0.5;
  for (int k = 0; k < 70; ++k) {
    const double q = k / 70.0;
    t.positive[k] = q + 0.2 + (1.0 - q) * o;
    t.negative[k] = q + (1.0 - q) * o;
    if (k % 7 == 0) o = -o;
  }
}

void ShapeTableBuilder::BuildTigersBlood()
{
  ShapeTable& t = Reset(26, 80);
  double h = 0.0;
  for (int k = 0; k < 80; ++k) {
    const double q = k / 80.0;
    t.positive[k] = (1.0 - q) * h + q;
    t.negative[k] = ((1.0 - q) * (1.0 - q)) * h + q;
    if (k == 4)
      h = 1.0;
    else if (k % 4 == 0)
      h = -h;
  }
}

void ShapeTableBuilder::BuildMadDog()
{
  ShapeTable& t = Reset(27, 40);
  for (int k = 0; k < 40; ++k) {
    const double q = k / 40.0;
    t.positive[k] = q + 1.25 * Dsp::DesignMath::Sin(4.0 * kPi * q) * (1.0 - q);
    t.negative[k] = q + 1.5 * ((1.0 - q) * (1.0 - q)) * Dsp::DesignMath::Sin(8.0 * kPi * q);
  }
}

void ShapeTableBuilder::Finish()
{
  for (int slot = 0; slot < kNumTables; ++slot) {
    const int steps = FinishOf(kTableTypes[slot]);
    ShapeTable& t = tables[slot];
    if (steps & kNormalise) t.Normalise();
    if (steps & kClamp) t.Clamp();
    if (steps & kFade) t.FadeIn();
    t.UpdateTaps();
  }
}

}  // namespace Kernwave
