#include "win32/xml_elements.h"

#include <cctype>

namespace {

struct Open {
  std::string rawName;                          // as written, for its end tag
  std::map<std::string, std::string> prefixes;  // "" is the default namespace
  size_t index;                                 // its element in the list
};

std::string trimmed(const std::string& s) {
  size_t begin = 0, end = s.size();
  while (begin < end && std::isspace(static_cast<unsigned char>(s[begin]))) ++begin;
  while (end > begin && std::isspace(static_cast<unsigned char>(s[end - 1]))) --end;
  return s.substr(begin, end - begin);
}

// Reads `name="value"` pairs of a start tag's inside.
bool readAttributes(const std::string& inside, std::map<std::string, std::string>* attributes) {
  size_t at = 0;
  for (;;) {
    while (at < inside.size() && std::isspace(static_cast<unsigned char>(inside[at]))) ++at;
    if (at == inside.size()) return true;
    const size_t equals = inside.find('=', at);
    if (equals == std::string::npos || equals + 1 >= inside.size()) return false;
    const char quote = inside[equals + 1];
    if (quote != '"' && quote != '\'') return false;
    const size_t close = inside.find(quote, equals + 2);
    if (close == std::string::npos) return false;
    (*attributes)[trimmed(inside.substr(at, equals - at))] =
        inside.substr(equals + 2, close - equals - 2);
    at = close + 1;
  }
}

}  // namespace

bool readXmlElements(const std::string& xml, std::vector<XmlElement>* elements) {
  elements->clear();
  std::vector<Open> open;
  bool rootSeen = false;
  size_t at = 0;
  while (at < xml.size()) {
    const size_t tag = xml.find('<', at);
    if (!open.empty()) {
      (*elements)[open.back().index].text += xml.substr(at, tag - at);
    }
    if (tag == std::string::npos) break;
    const bool comment = xml.compare(tag, 4, "<!--") == 0;
    const size_t close = xml.find(comment ? "-->" : ">", tag);
    if (close == std::string::npos) return false;
    at = close + (comment ? 3 : 1);
    if (comment || xml[tag + 1] == '?') continue;
    if (xml[tag + 1] == '/') {
      if (open.empty() || trimmed(xml.substr(tag + 2, close - tag - 2)) != open.back().rawName) {
        return false;
      }
      open.pop_back();
      continue;
    }
    if (open.empty() && rootSeen) return false;
    rootSeen = true;
    const bool empty = xml[close - 1] == '/';
    std::string inside = xml.substr(tag + 1, close - tag - 1 - (empty ? 1 : 0));
    size_t nameEnd = 0;
    while (nameEnd < inside.size() && !std::isspace(static_cast<unsigned char>(inside[nameEnd]))) {
      ++nameEnd;
    }
    XmlElement element;
    if (!readAttributes(inside.substr(nameEnd), &element.attributes)) return false;
    Open entry{inside.substr(0, nameEnd),
               open.empty() ? std::map<std::string, std::string>{} : open.back().prefixes,
               elements->size()};
    for (const auto& [name, value] : element.attributes) {
      if (name == "xmlns") entry.prefixes[""] = value;
      if (name.compare(0, 6, "xmlns:") == 0) entry.prefixes[name.substr(6)] = value;
    }
    const size_t colon = entry.rawName.find(':');
    const std::string prefix = colon == std::string::npos ? "" : entry.rawName.substr(0, colon);
    const auto ns = entry.prefixes.find(prefix);
    if (!prefix.empty() && ns == entry.prefixes.end()) return false;
    element.path = (open.empty() ? "" : (*elements)[open.back().index].path) + "/{" +
                   (ns == entry.prefixes.end() ? "" : ns->second) + "}" +
                   entry.rawName.substr(colon == std::string::npos ? 0 : colon + 1);
    elements->push_back(std::move(element));
    if (!empty) open.push_back(std::move(entry));
  }
  for (XmlElement& e : *elements) e.text = trimmed(e.text);
  return open.empty() && rootSeen;
}
