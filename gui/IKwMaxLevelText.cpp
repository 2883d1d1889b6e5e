#include "gui/IKwMaxLevelText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "plug/Skarvel.h"

IKwMaxLevelText::IKwMaxLevelText(Skarvel* effect, const EditorRect& r, const TextStyle& style, const char* t)
  : ITextControl(effect, r, style, t), fx(effect)
{
}

void IKwMaxLevelText::IdleTick()
{
  if (!fx) return;
  const double m = std::max(fx->PeakLeft(), fx->PeakRight());
  char line[64];
  if (m > 0.0)
    std::snprintf(line, sizeof line, "Max. level: %3.1f dB", 20.0f * std::log10(static_cast<float>(m)));
  else
    std::snprintf(line, sizeof line, "Max. level: -oo dB");
  // The colour shows with the next change of the text.
  textStyle.colour = m > 1.0 ? kColourRed : kColourLightCyan;
  SetTextFromPlug(line);
}
