#pragma once

#include <string>
#include <vector>

class IPopupMenu;

// A popup menu with its submenus laid out as one list, for dialogs that show a plain list:
// items are numbered as the menu asks, a submenu's items carry the submenu's name in front,
// separators and unavailable items are left out and the checked item is marked.
class PopupMenuList
{
public:
  explicit PopupMenuList(IPopupMenu& menu);

  const std::vector<std::string>& Labels() const { return labels; }
  // Stores the choice of label i in the menu the item belongs to and returns that menu;
  // null for an index outside the list.
  IPopupMenu* Choose(int i);

private:
  struct Entry
  {
    IPopupMenu* menu;
    int item;
  };
  void Add(IPopupMenu& menu, const std::string& path);

  std::vector<std::string> labels;
  std::vector<Entry> entries;
};
