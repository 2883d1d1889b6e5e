#pragma once

#include <cstddef>

#include "gui/ITextControl.h"

class Skarvel;

// The larger of the effect's two held output peaks in dB, refreshed on the surface's idle
// ticks: light cyan up to full scale, red above.
class IKwMaxLevelText : public ITextControl
{
public:
  IKwMaxLevelText(Skarvel* fx, const EditorRect& rect, const TextStyle& style,
                  const char* text = "Max. level: -oo dB");

  void IdleTick() override;

  // The read-out's text for a linear peak, and its colour.
  static EditorColour LevelText(double peak, char* text, size_t size);

private:
  Skarvel* fx;
};
