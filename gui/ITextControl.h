#pragma once

#include <string>

#include "gui/IControl.h"

// A line of text in its style; repaints only when the text changes.
class ITextControl : public IControl
{
public:
  ITextControl(IPlugBase* plug, const EditorRect& rect, const TextStyle& style, const char* text = "");
  ~ITextControl() override;

  bool Paint(IGraphics* g) override;

  void SetTextFromPlug(const char* text);
  const char* GetText() const { return text.c_str(); }

protected:
  std::string text;
};
