#include "win32/res_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

uint32_t u32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
int u16(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8);
}

void appendUtf8(std::string& out, uint32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// A zero-terminated UTF-16 string at `at`, as UTF-8; `at` moves past the terminator.
bool readUtf16(const std::vector<uint8_t>& b, size_t& at, size_t end, std::string* out) {
  out->clear();
  for (;;) {
    if (at + 2 > end) return false;
    uint32_t c = u16(b, at);
    at += 2;
    if (c == 0) return true;
    if (c >= 0xD800 && c < 0xDC00 && at + 2 <= end) {
      c = 0x10000 + ((c - 0xD800) << 10) + (u16(b, at) - 0xDC00);
      at += 2;
    }
    appendUtf8(*out, c);
  }
}

// A type or name field of a resource header: 0xFFFF and a number, or a string.
bool readNameOrId(const std::vector<uint8_t>& b, size_t& at, size_t end, int* id,
                  std::string* name) {
  if (at + 4 <= end && u16(b, at) == 0xFFFF) {
    *id = u16(b, at + 2);
    name->clear();
    at += 4;
    return true;
  }
  *id = 0;
  return readUtf16(b, at, end, name);
}

bool runsOk(const std::string& command) {
  return std::system(command.c_str()) == 0;
}

}  // namespace

std::vector<uint8_t> readFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::string findResourceCompiler() {
  for (const char* name : {"i686-w64-mingw32-windres", "x86_64-w64-mingw32-windres", "windres"}) {
    if (runsOk(std::string("command -v ") + name + " >/dev/null 2>&1")) return name;
  }
  return "";
}

bool compileResourceScript(const std::string& compiler, const std::string& script,
                           std::vector<CompiledResource>* resources, std::string* errors,
                           const std::string& extraInclude) {
  const std::string base =
      testing::TempDir() + "velnor_rc_" + std::to_string(getpid()) + "_" + std::to_string(rand());
  const std::string res = base + ".res";
  const std::string log = base + ".log";
  const std::string include = extraInclude.empty() ? "" : " -I '" + extraInclude + "'";
  const std::string command = compiler + " -I '" + VELNOR_SOURCE_DIR + "'" + include + " -i '" +
                              script + "' -O res -o '" + res + "' 2>'" + log + "'";
  const bool compiled = runsOk(command);
  {
    std::ifstream in(log);
    std::stringstream text;
    text << in.rdbuf();
    *errors = text.str();
  }
  std::remove(log.c_str());
  if (!compiled) return false;
  const std::vector<uint8_t> b = readFileBytes(res);
  std::remove(res.c_str());

  resources->clear();
  size_t at = 0;
  while (at + 8 <= b.size()) {
    const uint32_t dataSize = u32(b, at);
    const uint32_t headerSize = u32(b, at + 4);
    const size_t headerEnd = at + headerSize;
    if (headerSize < 16 || headerEnd + dataSize > b.size()) return false;
    CompiledResource r;
    size_t field = at + 8;
    if (!readNameOrId(b, field, headerEnd, &r.typeId, &r.typeName) ||
        !readNameOrId(b, field, headerEnd, &r.nameId, &r.name)) {
      return false;
    }
    r.data.assign(b.begin() + headerEnd, b.begin() + headerEnd + dataSize);
    if (dataSize > 0 || r.typeId != 0) resources->push_back(std::move(r));
    at = (headerEnd + dataSize + 3) & ~static_cast<size_t>(3);
  }
  return true;
}

const CompiledResource* findResource(const std::vector<CompiledResource>& resources, int typeId,
                                     const std::string& typeName, const std::string& name) {
  for (const CompiledResource& r : resources) {
    if (r.typeId == typeId && r.typeName == typeName && r.name == name) return &r;
  }
  return nullptr;
}

bool readMenuTemplate(const std::vector<uint8_t>& b, std::vector<CompiledMenuEntry>* entries) {
  constexpr int CHECKED = 0x0008, POPUP = 0x0010, LAST = 0x0080;
  entries->clear();
  if (b.size() < 4 || u16(b, 0) != 0 || u16(b, 2) != 0) return false;  // the classic template
  size_t at = 4;
  std::vector<bool> open;  // per open popup: its own entry was the last of its parent's
  bool lastAtTop = false;
  while (!lastAtTop) {
    if (at + 2 > b.size()) return false;
    const int flags = u16(b, at);
    at += 2;
    CompiledMenuEntry e{'I', 0, "", (flags & CHECKED) != 0};
    if (flags & POPUP) {
      e.kind = 'P';
    } else {
      if (at + 2 > b.size()) return false;
      e.id = u16(b, at);
      at += 2;
    }
    if (!readUtf16(b, at, b.size(), &e.label)) return false;
    if (e.kind == 'I' && e.id == 0 && e.label.empty()) e.kind = 'S';
    entries->push_back(e);
    bool last = (flags & LAST) != 0;
    if (e.kind == 'P') {
      open.push_back(last);
      continue;
    }
    // The last entry of a popup closes it, and maybe its parents in turn.
    while (last && !open.empty()) {
      entries->push_back({'E', 0, "", false});
      last = open.back();
      open.pop_back();
    }
    if (last && open.empty()) lastAtTop = true;
  }
  return at <= b.size();
}

namespace {

// One block at `at`: its length, value length (in characters for text), type (1 text), key,
// value and the blocks inside, each field starting on a 4-byte boundary of the resource.
bool readVersionBlock(const std::vector<uint8_t>& b, size_t at, size_t end, VersionBlock* block,
                      size_t* next) {
  if (at + 6 > end) return false;
  const size_t blockEnd = at + u16(b, at);
  const size_t valueLength = u16(b, at + 2);
  block->text = u16(b, at + 4) == 1;
  size_t field = at + 6;
  if (blockEnd > end || blockEnd < field || !readUtf16(b, field, blockEnd, &block->key)) {
    return false;
  }
  field = (field + 3) & ~static_cast<size_t>(3);
  if (block->text && valueLength > 0) {
    if (!readUtf16(b, field, blockEnd, &block->textValue)) return false;
  } else if (!block->text) {
    if (field + valueLength > blockEnd) return false;
    block->binaryValue.assign(b.begin() + field, b.begin() + field + valueLength);
    field += valueLength;
  }
  field = (field + 3) & ~static_cast<size_t>(3);
  while (field < blockEnd) {
    VersionBlock child;
    if (!readVersionBlock(b, field, blockEnd, &child, &field)) return false;
    block->children.push_back(std::move(child));
  }
  *next = (blockEnd + 3) & ~static_cast<size_t>(3);
  return true;
}

}  // namespace

const VersionBlock* VersionBlock::child(const std::string& childKey) const {
  for (const VersionBlock& c : children) {
    if (c.key == childKey) return &c;
  }
  return nullptr;
}

bool readVersionResource(const std::vector<uint8_t>& data, VersionBlock* root) {
  size_t next = 0;
  *root = VersionBlock{};
  return readVersionBlock(data, 0, data.size(), root, &next);
}
