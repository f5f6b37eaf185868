// The Windows resource script, compiled here with the MinGW resource compiler: the menu it
// makes from the shared menu table, the images, sound and icon it packs, the version it
// reports and the manifest it carries.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <set>

#include "shell/menu.h"
#include "win32/res_file.h"
#include "win32/xml_elements.h"

namespace {

constexpr int BITMAP_TYPE = 2, MENU_TYPE = 4, ICON_GROUP_TYPE = 14, VERSION_TYPE = 16,
              MANIFEST_TYPE = 24;

const std::string SOURCE = VELNOR_SOURCE_DIR;

class ResourceScript : public testing::Test {
 protected:
  void SetUp() override {
    compiler_ = findResourceCompiler();
    if (compiler_.empty()) GTEST_SKIP() << "no MinGW resource compiler (windres) installed";
    // The version header the build writes from the project's version; here a version whose
    // four parts all differ, so that each must land in its own place.
    header_ = testing::TempDir() + "velnor_version_" + std::to_string(getpid());
    mkdir(header_.c_str(), 0700);
    std::ofstream(header_ + "/velnor_version.h") << "#define VELNOR_VERSION_NUMBERS 7,8,9,10\n"
                                                    "#define VELNOR_VERSION_TEXT \"7.8.9.10\"\n";
  }
  void TearDown() override {
    if (header_.empty()) return;
    std::remove((header_ + "/velnor_version.h").c_str());
    rmdir(header_.c_str());
  }
  void compile(const std::string& script) {
    std::string errors;
    ASSERT_TRUE(
        compileResourceScript(compiler_, SOURCE + "/" + script, &resources_, &errors, header_))
        << errors;
  }
  // The program's whole script; it packs the assets, so a tree without them skips.
  void compileProgram() {
    struct stat assets;
    if (stat((SOURCE + "/assets").c_str(), &assets) != 0) GTEST_SKIP() << "no assets/ here";
    compile("shell/win32/velnor.rc");
  }
  const CompiledResource* numbered(int type, int id) const {
    for (const CompiledResource& r : resources_) {
      if (r.typeId == type && r.name.empty() && r.nameId == id) return &r;
    }
    return nullptr;
  }
  std::string compiler_;
  std::string header_;
  std::vector<CompiledResource> resources_;
};

const char* kindName(char kind) {
  switch (kind) {
    case 'P':
      return "popup";
    case 'E':
      return "end";
    case 'S':
      return "separator";
    default:
      return "item";
  }
}

char tableKind(MenuEntryKind kind) {
  switch (kind) {
    case MenuEntryKind::Popup:
      return 'P';
    case MenuEntryKind::PopupEnd:
      return 'E';
    case MenuEntryKind::Separator:
      return 'S';
    default:
      return 'I';
  }
}

// The compiled menu holds the table entry for entry: the same tree, ids, labels (stored as
// UTF-16, so a wrong code page shows here as different text) and check marks.
TEST_F(ResourceScript, MenuIsTheMenuTableWithItsJapaneseLabelsAndChecks) {
  compile("shell/win32/menu.rc");
  const CompiledResource* menu = findResource(resources_, MENU_TYPE, "", "MENU");
  ASSERT_NE(menu, nullptr) << "no menu resource named MENU";
  std::vector<CompiledMenuEntry> entries;
  ASSERT_TRUE(readMenuTemplate(menu->data, &entries));
  ASSERT_EQ(static_cast<int>(entries.size()), MENU_TABLE_SIZE);
  for (int i = 0; i < MENU_TABLE_SIZE; ++i) {
    const MenuEntry& want = MENU_TABLE[i];
    const CompiledMenuEntry& got = entries[i];
    SCOPED_TRACE("entry " + std::to_string(i) + ", a " + kindName(got.kind));
    EXPECT_EQ(got.kind, tableKind(want.kind));
    EXPECT_EQ(got.id, want.id);
    EXPECT_EQ(got.label, want.label ? want.label : "");
    EXPECT_EQ(got.checked, want.checkedAtStart);
  }
  EXPECT_EQ(entries[0].label, "\xE3\x82\xB2\xE3\x83\xBC\xE3\x83\xA0(&G)");  // ゲーム(&G)
}

// Every resource the program looks up by name is there under that name in capitals (the
// platform's look-up by name compares in capitals), the images from their information header
// on, and the sound and the icon whole.
TEST_F(ResourceScript, ProgramResourcesArePackedUnderTheirNames) {
  compileProgram();
  if (HasFatalFailure() || IsSkipped()) return;

  for (const char* name :
       {"TITLE", "PIECE", "FONT1", "FONT2", "FRAME1", "FRAME2", "FRAME3", "FRAME4"}) {
    SCOPED_TRACE(name);
    const CompiledResource* bitmap = findResource(resources_, BITMAP_TYPE, "", name);
    ASSERT_NE(bitmap, nullptr);
    const std::vector<uint8_t> file = readFileBytes(SOURCE + "/assets/" + name + ".bmp");
    ASSERT_GT(file.size(), 14u);
    EXPECT_EQ(bitmap->data, std::vector<uint8_t>(file.begin() + 14, file.end()));
  }

  const CompiledResource* click = findResource(resources_, 0, "WAVE", "CLICK");
  ASSERT_NE(click, nullptr);
  EXPECT_EQ(click->data, readFileBytes(SOURCE + "/assets/CLICK.wav"));

  EXPECT_NE(findResource(resources_, ICON_GROUP_TYPE, "", "ICON"), nullptr);
  EXPECT_NE(findResource(resources_, MENU_TYPE, "", "MENU"), nullptr);
  for (const CompiledResource& r : resources_) {
    for (char c : r.name) EXPECT_FALSE(c >= 'a' && c <= 'z') << "resource name " << r.name;
  }
}

uint32_t word32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

// What Explorer's Properties show: the fixed numbers and the strings, found through the
// Translation entry, which must name the one string table there is.
TEST_F(ResourceScript, VersionResourceNamesTheProgramWithTheBuildsVersion) {
  compileProgram();
  if (HasFatalFailure() || IsSkipped()) return;
  const CompiledResource* version = numbered(VERSION_TYPE, 1);
  ASSERT_NE(version, nullptr) << "no version resource number 1";
  VersionBlock root;
  ASSERT_TRUE(readVersionResource(version->data, &root));
  EXPECT_EQ(root.key, "VS_VERSION_INFO");
  const std::vector<uint8_t>& fixed = root.binaryValue;
  ASSERT_GE(fixed.size(), 24u);
  EXPECT_EQ(word32(fixed, 0), 0xFEEF04BDu);
  EXPECT_EQ(word32(fixed, 8), 0x00070008u);   // file version 7.8
  EXPECT_EQ(word32(fixed, 12), 0x0009000Au);  // .9.10
  EXPECT_EQ(word32(fixed, 16), 0x00070008u);  // product version
  EXPECT_EQ(word32(fixed, 20), 0x0009000Au);

  const VersionBlock* translation =
      root.child("VarFileInfo") ? root.child("VarFileInfo")->child("Translation") : nullptr;
  ASSERT_NE(translation, nullptr);
  ASSERT_EQ(translation->binaryValue.size(), 4u);
  char table[9];
  std::snprintf(table, sizeof table, "%02X%02X%02X%02X", translation->binaryValue[1],
                translation->binaryValue[0], translation->binaryValue[3],
                translation->binaryValue[2]);
  EXPECT_STREQ(table, "041104B0");  // Japanese, Unicode
  const VersionBlock* files = root.child("StringFileInfo");
  ASSERT_NE(files, nullptr);
  ASSERT_EQ(files->children.size(), 1u);
  const VersionBlock& strings = files->children[0];
  EXPECT_EQ(strings.key, table) << "the Translation entry does not name the string table";
  const std::pair<const char*, const char*> wanted[] = {{"FileDescription", "Velnor Part1"},
                                                        {"ProductName", "Velnor Part1"},
                                                        {"FileVersion", "7.8.9.10"},
                                                        {"ProductVersion", "7.8.9.10"},
                                                        {"OriginalFilename", "velnor.exe"}};
  for (const auto& [key, value] : wanted) {
    const VersionBlock* string = strings.child(key);
    ASSERT_NE(string, nullptr) << key;
    EXPECT_TRUE(string->text) << key;
    EXPECT_EQ(string->textValue, value) << key;
  }
}

// The loader reads manifest number 1 and ignores any element outside its namespace, so each
// setting is checked at its full namespace-qualified path.
TEST_F(ResourceScript, ManifestAsksForNoElevationWindows7To11AndPerMonitorDpi) {
  compileProgram();
  if (HasFatalFailure() || IsSkipped()) return;
  const CompiledResource* manifest = numbered(MANIFEST_TYPE, 1);
  ASSERT_NE(manifest, nullptr) << "no manifest resource number 1";
  std::vector<XmlElement> elements;
  ASSERT_TRUE(
      readXmlElements(std::string(manifest->data.begin(), manifest->data.end()), &elements));
  const std::string assembly = "/{urn:schemas-microsoft-com:asm.v1}assembly";
  const std::string v3 = "{urn:schemas-microsoft-com:asm.v3}";
  const std::string compatibility = "{urn:schemas-microsoft-com:compatibility.v1}";
  std::map<std::string, std::vector<const XmlElement*>> byPath;
  for (const XmlElement& e : elements) byPath[e.path].push_back(&e);

  const auto& level = byPath[assembly + "/" + v3 + "trustInfo/" + v3 + "security/" + v3 +
                             "requestedPrivileges/" + v3 + "requestedExecutionLevel"];
  ASSERT_EQ(level.size(), 1u);
  EXPECT_EQ(level[0]->attributes.at("level"), "asInvoker");

  std::set<std::string> systems;
  for (const XmlElement* e :
       byPath[assembly + "/" + compatibility + "compatibility/" + compatibility + "application/" +
              compatibility + "supportedOS"]) {
    systems.insert(e->attributes.at("Id"));
  }
  EXPECT_EQ(systems, (std::set<std::string>{"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",     // 7
                                            "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",     // 8
                                            "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",     // 8.1
                                            "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}));  // 10

  const std::string settings = assembly + "/" + v3 + "application/" + v3 + "windowsSettings/";
  const auto& aware =
      byPath[settings + "{http://schemas.microsoft.com/SMI/2005/WindowsSettings}dpiAware"];
  const auto& awareness =
      byPath[settings + "{http://schemas.microsoft.com/SMI/2016/WindowsSettings}dpiAwareness"];
  ASSERT_EQ(aware.size(), 1u);
  ASSERT_EQ(awareness.size(), 1u);
  EXPECT_EQ(aware[0]->text, "true/pm");
  EXPECT_EQ(awareness[0]->text, "PerMonitorV2, PerMonitor");
}

}  // namespace
