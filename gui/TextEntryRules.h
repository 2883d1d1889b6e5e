#pragma once

#include <string>

class IControl;
class IPlugParam;

// What a text entry for a control accepts and what committing it does, the same wherever
// the entry box comes from.
namespace TextEntryRules {

// Whether a typed character is kept: with a parameter, integers and choices take digits and
// signs, doubles also the decimal point; without one, everything.
bool Accepts(const IPlugParam* param, char c);
// The typed text with the characters the entry would have refused dropped, cut to maxLength.
std::string Filter(const std::string& typed, const IPlugParam* param, int maxLength);
// Commits the text: a parameter's value (a display text's, or the number, negated where the
// parameter displays negated) goes to the control and on to the plug-in when it changed;
// without a parameter the control gets the text itself.
void Commit(IControl* control, IPlugParam* param, const std::string& text);

}  // namespace TextEntryRules
