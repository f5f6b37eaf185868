// The menu bar as a table, built from shell/menu_table.def; every front-end makes its menu
// from it.
#pragma once

#include "rules/settings.h"

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
// The side and PlayerType a player item chooses: the inverse of playerItemId. Side 0 for an id
// that is no player item.
struct PlayerItem {
  int side;
  int type;
};
constexpr PlayerItem playerOfItem(int id) {
  for (int side = 1; side <= 2; ++side) {
    for (int type = PLAYER_PERSON; type <= MAX_COMPUTER_LEVEL; ++type) {
      if (id == playerItemId(side, type)) return {side, type};
    }
  }
  return {0, PLAYER_PERSON};
}
// The items of the animation speed and thread priority choices 1..3.
constexpr int speedItemId(int choice) {
  return IDM_SPEED_FAST + 10 * (choice - 1);
}
constexpr int priorityItemId(int choice) {
  return IDM_PRIORITY_HIGH + 10 * (choice - 1);
}

enum class MenuEntryKind { Popup, PopupEnd, Item, Separator };

struct MenuEntry {
  MenuEntryKind kind;
  int id;               // command id of an item, 0 otherwise
  const char* label;    // UTF-8 with '&' before the mnemonic; nullptr for ends and separators
  bool checkedAtStart;  // an item's check mark when the program starts
};

// In menu order; a Popup opens a popup or sub-popup that the matching PopupEnd closes.
inline constexpr MenuEntry MENU_TABLE[] = {
#define MENU_POPUP(label) {MenuEntryKind::Popup, 0, label, false},
#define MENU_POPUP_END {MenuEntryKind::PopupEnd, 0, nullptr, false},
#define MENU_SEPARATOR {MenuEntryKind::Separator, 0, nullptr, false},
#define MENU_ITEM(id, name, label, checked) {MenuEntryKind::Item, id, label, checked != 0},
#include "shell/menu_table.def"
#undef MENU_POPUP
#undef MENU_POPUP_END
#undef MENU_SEPARATOR
#undef MENU_ITEM
};
inline constexpr int MENU_TABLE_SIZE = static_cast<int>(sizeof MENU_TABLE / sizeof MENU_TABLE[0]);
