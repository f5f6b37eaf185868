// The menu bar as a table, built from shell/menu_table.def; both front-ends make their
// menus from it.
#pragma once

#define MENU_POPUP(label)
#define MENU_POPUP_END
#define MENU_SEPARATOR
#define MENU_ITEM(id, name, label, checked) constexpr int name = id;
#include "shell/menu_table.def"
#undef MENU_POPUP
#undef MENU_POPUP_END
#undef MENU_SEPARATOR
#undef MENU_ITEM

// The player item of a side for a PlayerType (0 a person, 1..8 a computer level).
constexpr int playerItemId(int side, int type) {
  return (side == 1 ? IDM_SIDE1_PLAYER : IDM_SIDE2_PLAYER) + 10 * type;
}

enum class MenuEntryKind { Popup, PopupEnd, Item, Separator };

struct MenuEntry {
  MenuEntryKind kind;
  int id;               // command id of an item, 0 otherwise
  const char* label;    // UTF-8 with '&' before the mnemonic; nullptr for ends and separators
  bool checkedAtStart;  // an item's check mark when the program starts
};

// In menu order; a Popup opens a popup or sub-popup that the matching PopupEnd closes.
extern const MenuEntry MENU_TABLE[];
extern const int MENU_TABLE_SIZE;
