// Just enough XML for a manifest: the elements in document order, each named by its path of
// namespace-qualified names, as the program's loader resolves them.
#pragma once

#include <map>
#include <string>
#include <vector>

struct XmlElement {
  std::string path;  // "/{namespace}name/{namespace}name...", from the root down
  std::map<std::string, std::string> attributes;  // as written, xmlns ones included
  std::string text;  // the text directly inside, spaces at the ends removed
};

// False when the text is not well-formed as far as this reader sees: an unclosed tag or
// comment, an end tag that does not close the open element, an unknown prefix, or more than
// one root.
bool readXmlElements(const std::string& xml, std::vector<XmlElement>* elements);
