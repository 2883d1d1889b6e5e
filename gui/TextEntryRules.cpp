#include "gui/TextEntryRules.h"

#include <cstdlib>
#include <cstring>

#include "gui/IControl.h"
#include "plug/IPlugParam.h"

namespace TextEntryRules {

bool Accepts(const IPlugParam* param, char c)
{
  if (!param) return true;
  const bool digitOrSign = (c >= '0' && c <= '9') || c == '-' || c == '+';
  if (param->kind == IPlugParam::kDouble) return digitOrSign || c == '.';
  if (param->kind >= IPlugParam::kBool && param->kind <= IPlugParam::kEnum) return digitOrSign;
  return false;
}

std::string Filter(const std::string& typed, const IPlugParam* param, int maxLength)
{
  std::string kept;
  for (char c : typed)
    if (static_cast<int>(kept.size()) < maxLength && Accepts(param, c)) kept += c;
  return kept;
}

void Commit(IControl* control, IPlugParam* param, const std::string& text)
{
  if (!control) return;
  if (!param) {
    control->ApplyEnteredText(text.c_str());
    return;
  }
  double plain = 0.0;
  if (param->kind == IPlugParam::kBool || param->kind == IPlugParam::kEnum) {
    for (int i = 0; i < param->NDisplayTexts(); ++i)
      if (text == param->GetDisplayTextEntry(i).text) {
        plain = param->GetDisplayTextEntry(i).value;
        break;
      }
  } else {
    plain = std::strtod(text.c_str(), nullptr);
    if (param->displayNegated) plain = -plain;
  }
  const double v = param->ToNormalized(plain);
  if (v == control->GetValue()) return;
  control->SetValue(v);
  control->MarkDirty(true);
  control->RequestRedraw();
}

}  // namespace TextEntryRules
