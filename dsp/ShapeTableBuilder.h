#pragma once

#include <cstdint>

#include "dsp/ShapeTable.h"

namespace Kernwave {

// Computes the distortion types' transfer tables from their formulas. The noise that some
// types carry comes from a private generator reseeded on every build, so every build gives
// the same tables.
class ShapeTableBuilder
{
public:
  static constexpr int kNumTypes = 29;
  static constexpr int kNumTables = 25;

  // Slot of a type's table in the array handed to the builder; -1 for the four closed-formula
  // types and for numbers outside 0..28.
  static int SlotOfType(int type);

  // tables: kNumTables entries, filled in slot order.
  explicit ShapeTableBuilder(ShapeTable* tables) : tables(tables) {}
  void Build();

private:
  ShapeTable& Reset(int type, int points);
  double Rnd();

  void BuildClosedForms();
  void BuildPrmFuzz2();
  void BuildHardcoreFuzz();
  void BuildIndustrialFuzz();
  void BuildNoizeFreak();
  void BuildBigDrives();
  void BuildAssKicking();
  void BuildTigersBlood();
  void BuildMadDog();
  void Finish();

  ShapeTable* tables;
  uint32_t randomState = 0;
};

}  // namespace Kernwave
