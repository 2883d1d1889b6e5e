#include "gui/IPopupMenu.h"

void IPopupMenu::AddItem(const char* text, int flags, IPopupMenu* submenu)
{
  Item item;
  item.text = text ? text : "";
  item.flags = flags;
  item.submenu.reset(submenu);
  items.push_back(std::move(item));
}

const IPopupMenu::Item* IPopupMenu::GetItem(int i) const
{
  return i >= 0 && i < NItems() ? &items[i] : nullptr;
}
