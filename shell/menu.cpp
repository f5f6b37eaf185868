// The menu table's check marks at start must be the settings' defaults: the check marks are the
// settings' only display, and nothing sets them at start-up but the player choice.
#include "shell/menu.h"

#include "rules/settings.h"

namespace {

constexpr bool checkedByDefault(int id) {
  return id == playerItemId(1, DEFAULT_PLAYER_TYPE[1]) ||
         id == playerItemId(2, DEFAULT_PLAYER_TYPE[2]) || (id == IDM_GUIDE && DEFAULT_GUIDE) ||
         (id == IDM_SHOW_THINKING && DEFAULT_SHOW_THINKING) || (id == IDM_SOUND && DEFAULT_SOUND) ||
         id == speedItemId(DEFAULT_SPEED_CHOICE) || id == priorityItemId(DEFAULT_PRIORITY);
}

constexpr bool checkMarksAreTheDefaults() {
  for (const MenuEntry& e : MENU_TABLE) {
    if (e.kind == MenuEntryKind::Item && e.checkedAtStart != checkedByDefault(e.id)) return false;
  }
  return true;
}

static_assert(checkMarksAreTheDefaults(),
              "shell/menu_table.def's check marks at start differ from the settings' defaults");

}  // namespace
