#include "skarvel/IKwMaxLevelText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "skarvel/Skarvel.h"

IKwMaxLevelText::IKwMaxLevelText(Skarvel* effect, const EditorRect& r, const TextStyle& style, const char* t)
    : ITextControl(effect, r, style, t), fx(effect)
{}

EditorColour IKwMaxLevelText::LevelText(double peak, char* text, size_t size)
{
  if (peak > 0.0)
    std::snprintf(text, size, "Max. level: %3.1f dB", 20.0f * std::log10(static_cast<float>(peak)));
  else
    std::snprintf(text, size, "Max. level: -oo dB");
  return peak > 1.0 ? kColourRed : kColourLightCyan;
}

void IKwMaxLevelText::IdleTick()
{
  if (!fx) return;
  char line[64];
  // The colour shows with the next change of the text.
  textStyle.colour = LevelText(std::max(fx->PeakLeft(), fx->PeakRight()), line, sizeof line);
  SetTextFromPlug(line);
}
