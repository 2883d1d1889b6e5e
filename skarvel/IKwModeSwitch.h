#pragma once

#include "gui/IBitmapControl.h"

// Steps a parameter of S states up or down by one state, wrapping at the ends or not. The
// control itself is bound to no parameter: its value only shows the button pressed.
class IKwModeSwitch : public IBitmapControl
{
public:
  enum Direction { kDown = 0, kUp = 1 };

  // `current` is the effect's normalised value of the parameter, read at each press.
  IKwModeSwitch(IPlugBase* plug, int x, int y, int paramIdx, const SkinBitmap& bitmap, int states,
                const double* current, bool wrap, int direction);

  void MouseDown(int x, int y, const MouseModifiers& mod) override;
  void MouseUp(int x, int y, const MouseModifiers& mod) override;
  void MouseDoubleClick(int x, int y, const MouseModifiers& mod) override;

  // The normalised value one step from p.
  double Step(double p) const;

private:
  int steppedParam;
  int states;
  const double* current;
  bool wrap;
  int direction;
};
