#include "gui/PopupMenuList.h"

#include <cstdio>

#include "gui/IPopupMenu.h"

namespace {

std::string Numbered(const IPopupMenu& menu, int i, const std::string& text)
{
  static const char* const kFormats[] = {"%1d: %s", "%02d: %s", "%03d: %s"};
  const int prefix = menu.GetPrefix();
  if (prefix < IPopupMenu::kOneDigit || prefix > IPopupMenu::kThreeDigits) return text;
  char buf[512];
  std::snprintf(buf, sizeof buf, kFormats[prefix - 1], i + 1, text.c_str());
  return buf;
}

}  // namespace

PopupMenuList::PopupMenuList(IPopupMenu& menu) { Add(menu, ""); }

void PopupMenuList::Add(IPopupMenu& menu, const std::string& path)
{
  for (int i = 0; i < menu.NItems(); ++i) {
    const IPopupMenu::Item* item = menu.GetItem(i);
    if (item->flags & (IPopupMenu::kSeparator | IPopupMenu::kGreyed | IPopupMenu::kDisabled)) continue;
    const std::string text = path + Numbered(menu, i, item->text);
    if (item->submenu) {
      Add(*item->submenu, text + " > ");
      continue;
    }
    labels.push_back((item->flags & IPopupMenu::kChecked ? "* " : "  ") + text);
    entries.push_back({&menu, i});
  }
}

IPopupMenu* PopupMenuList::Choose(int i)
{
  if (i < 0 || i >= static_cast<int>(entries.size())) return nullptr;
  entries[i].menu->SetChosenItemIdx(entries[i].item);
  return entries[i].menu;
}
