#include "gui/ITextControl.h"

#include "gui/IGraphics.h"

namespace {
// The text grows in steps of this many bytes.
constexpr size_t kTextGrowBytes = 128;
}  // namespace

ITextControl::ITextControl(IPlugBase* plug, const EditorRect& r, const TextStyle& style, const char* t)
    : IControl(plug, r)
{
  textStyle = style;
  text.reserve(kTextGrowBytes);
  text = t ? t : "";
}

ITextControl::~ITextControl() = default;

bool ITextControl::Paint(IGraphics* g)
{
  if (!text.empty()) g->DrawText(textStyle, text.c_str(), rect);
  return true;
}

void ITextControl::SetTextFromPlug(const char* t)
{
  if (!t) t = "";
  if (text == t) return;
  MarkDirty(false);
  const size_t n = std::char_traits<char>::length(t);
  if (n + 1 > text.capacity()) text.reserve((n + kTextGrowBytes) / kTextGrowBytes * kTextGrowBytes);
  text = t;
}
