// Compiles a resource script with the MinGW resource compiler and reads the compiled .res file:
// the resources by type and name, and a menu template as a flat list in the menu table's form.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct CompiledResource {
  int typeId = 0;        // a numbered type (2 bitmap, 4 menu, 14 icon group), or 0
  std::string typeName;  // a named type ("WAVE"), or empty
  int nameId = 0;
  std::string name;  // the resource's name as stored, or empty for a numbered one
  std::vector<uint8_t> data;
};

// The resource compiler found on PATH (i686-w64-mingw32-windres first), or empty.
std::string findResourceCompiler();

// Compiles script with the source tree's root (and then extraInclude, if given) on the include
// path into a .res file; the compiler's messages go to errors. False when it fails.
bool compileResourceScript(const std::string& compiler, const std::string& script,
                           std::vector<CompiledResource>* resources, std::string* errors,
                           const std::string& extraInclude = "");

const CompiledResource* findResource(const std::vector<CompiledResource>& resources, int typeId,
                                     const std::string& typeName, const std::string& name);

// A menu template's entries in order: kind 'P' popup, 'E' end of a popup, 'I' item, 'S'
// separator; label in UTF-8.
struct CompiledMenuEntry {
  char kind;
  int id;
  std::string label;
  bool checked;
};
bool readMenuTemplate(const std::vector<uint8_t>& data, std::vector<CompiledMenuEntry>* entries);

// A version resource as its tree of blocks: each with its key, its value (text as UTF-8, or
// the bytes of a binary value) and the blocks inside it.
struct VersionBlock {
  std::string key;
  bool text = false;
  std::string textValue;
  std::vector<uint8_t> binaryValue;
  std::vector<VersionBlock> children;
  const VersionBlock* child(const std::string& childKey) const;
};
bool readVersionResource(const std::vector<uint8_t>& data, VersionBlock* root);

std::vector<uint8_t> readFileBytes(const std::string& path);
