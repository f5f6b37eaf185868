// The Windows resource script, compiled here with the MinGW resource compiler: the menu it
// makes from the shared menu table, and the images, sound and icon it packs.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "shell/menu.h"
#include "win32/res_file.h"

namespace {

constexpr int BITMAP_TYPE = 2, MENU_TYPE = 4, ICON_GROUP_TYPE = 14;

const std::string SOURCE = VELNOR_SOURCE_DIR;

class ResourceScript : public testing::Test {
 protected:
  void SetUp() override {
    compiler_ = findResourceCompiler();
    if (compiler_.empty()) GTEST_SKIP() << "no MinGW resource compiler (windres) installed";
  }
  void compile(const std::string& script) {
    std::string errors;
    ASSERT_TRUE(compileResourceScript(compiler_, SOURCE + "/" + script, &resources_, &errors))
        << errors;
  }
  std::string compiler_;
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
  struct stat assets;
  if (stat((SOURCE + "/assets").c_str(), &assets) != 0) GTEST_SKIP() << "no assets/ in this tree";
  compile("shell/win32/velnor.rc");

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

}  // namespace
