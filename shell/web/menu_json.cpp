#include "shell/web/menu_json.h"

#include <string>

#include "shell/menu.h"

namespace {

void appendString(std::string& out, const char* text) {
  out += '"';
  for (const char* c = text; *c; ++c) {
    const auto byte = static_cast<unsigned char>(*c);
    if (byte == '"' || byte == '\\') {
      out += '\\';
      out += *c;
    } else if (byte < 0x20) {
      static const char HEX[] = "0123456789abcdef";
      out += "\\u00";
      out += HEX[byte >> 4];
      out += HEX[byte & 15];
    } else {
      out += *c;  // UTF-8 passes through
    }
  }
  out += '"';
}

std::string build() {
  std::string out = "[";
  bool first = true;  // no comma before the first entry of a list
  for (int i = 0; i < MENU_TABLE_SIZE; ++i) {
    const MenuEntry& e = MENU_TABLE[i];
    if (e.kind == MenuEntryKind::PopupEnd) {
      out += "]}";
      first = false;
      continue;
    }
    if (!first) out += ',';
    first = false;
    switch (e.kind) {
      case MenuEntryKind::Popup:
        out += "{\"label\":";
        appendString(out, e.label);
        out += ",\"items\":[";
        first = true;
        break;
      case MenuEntryKind::Separator:
        out += "{\"separator\":true}";
        break;
      case MenuEntryKind::Item:
        out += "{\"id\":" + std::to_string(e.id) + ",\"label\":";
        appendString(out, e.label);
        out += e.checkedAtStart ? ",\"checked\":true}" : ",\"checked\":false}";
        break;
      case MenuEntryKind::PopupEnd:
        break;
    }
  }
  return out + "]";
}

}  // namespace

const char* menuJson() {
  static const std::string json = build();
  return json.c_str();
}
