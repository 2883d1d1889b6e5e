#pragma once

#include <memory>
#include <string>
#include <vector>

// A menu the surface asks the platform window to show. The window numbers the items of nested
// submenus consecutively and stores the user's choice in the menu it belongs to.
class IPopupMenu
{
public:
  enum ItemFlags { kGreyed = 1, kDisabled = 2, kChecked = 4, kSeparator = 8 };
  // How the window prefixes item texts with their number counted from 1.
  enum Prefix { kNoPrefix = 0, kOneDigit = 1, kTwoDigits = 2, kThreeDigits = 3 };

  struct Item
  {
    std::string text;
    int flags = 0;
    std::unique_ptr<IPopupMenu> submenu;
  };

  // The item owns its submenu.
  void AddItem(const char* text, int flags = 0, IPopupMenu* submenu = nullptr);
  int NItems() const { return static_cast<int>(items.size()); }
  const Item* GetItem(int i) const;

  void SetPrefix(int p) { prefix = p; }
  int GetPrefix() const { return prefix; }
  void SetChosenItemIdx(int i) { chosen = i; }
  int GetChosenItemIdx() const { return chosen; }

private:
  std::vector<Item> items;
  int prefix = kNoPrefix;
  int chosen = -1;
};
