// The menu table (shell/menu_table.def) as JSON, from which the page builds its menu bar:
// a list of popups, each {"label": ..., "items": [...]}; an item is {"id": n, "label": ...,
// "checked": true|false}, a separator {"separator": true}, a sub-popup a popup again. Labels
// keep their '&' before the mnemonic.
#pragma once

// Built once; valid for the program's life.
const char* menuJson();
