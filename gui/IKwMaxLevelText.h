#pragma once

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

private:
  Skarvel* fx;
};
