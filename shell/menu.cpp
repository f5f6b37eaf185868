#include "shell/menu.h"

const MenuEntry MENU_TABLE[] = {
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

const int MENU_TABLE_SIZE = static_cast<int>(sizeof MENU_TABLE / sizeof MENU_TABLE[0]);
