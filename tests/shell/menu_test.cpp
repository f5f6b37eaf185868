#include "shell/menu.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using ::testing::ElementsAre;

namespace {

// The menu as an outline: one line per entry, indented by its depth, "-" for separators,
// items as "label=id" with "*" when checked at start.
std::vector<std::string> outline() {
  std::vector<std::string> lines;
  int depth = 0;
  for (int i = 0; i < MENU_TABLE_SIZE; ++i) {
    const MenuEntry& e = MENU_TABLE[i];
    const std::string indent(2 * depth, ' ');
    switch (e.kind) {
      case MenuEntryKind::Popup:
        lines.push_back(indent + e.label);
        ++depth;
        break;
      case MenuEntryKind::PopupEnd:
        --depth;
        break;
      case MenuEntryKind::Separator:
        lines.push_back(indent + "-");
        break;
      case MenuEntryKind::Item:
        lines.push_back(indent + e.label + "=" + std::to_string(e.id) +
                        (e.checkedAtStart ? "*" : ""));
        break;
    }
  }
  EXPECT_EQ(depth, 0) << "every popup is closed";
  return lines;
}

TEST(MenuTable, GameEditAndSettingsMenusReadAsDesigned) {
  std::vector<std::string> lines = outline();
  ASSERT_EQ(lines.size(), 50u);
  EXPECT_THAT(std::vector<std::string>(lines.begin(), lines.begin() + 13),
              ElementsAre("ゲーム(&G)", "  新規ゲーム(&N)=1000", "  -", "  終了(&X)=1010",
                          "編集(&E)", "  再開(&C)=1020", "  停止(&S)=1030", "  -",
                          "  一手戻る(&B)=1040", "  一手進める(&P)=1050", "  最初に戻る(&F)=1060",
                          "  最後に進める(&L)=1070", "対戦者(&P)"));
  EXPECT_THAT(
      std::vector<std::string>(lines.end() - 13, lines.end()),
      ElementsAre("設定(&O)", "  ガイドの表示(&G)=1260", "  思考状況の表示(&T)=1270",
                  "  音を鳴らす(&S)=1280*", "  -", "  アニメーション速度(&A)", "    速い(&F)=1290",
                  "    標準(&N)=1300*", "    遅い(&L)=1310", "  スレッドの優先度(&P)",
                  "    高い(&H)=1320", "    標準(&N)=1330*", "    低い(&L)=1340"));
}

TEST(MenuTable, PlayerSubmenusFollowTheIdRuleAndGroupTheLevels) {
  std::vector<std::string> lines = outline();
  const std::vector<std::string> players(lines.begin() + 13, lines.begin() + 37);
  for (int side = 1; side <= 2; ++side) {
    const int base = (side - 1) * 12;
    EXPECT_EQ(players[base], side == 1 ? "  MopraGET(&G)" : "  Zarbo(&B)");
    EXPECT_EQ(players[base + 1].substr(0, 15), "    Player(&0)=");
    EXPECT_EQ(players[base + 2], "    -");
    EXPECT_EQ(players[base + 5], "    -");
    for (int t = 0; t <= 8; ++t) {
      const int row = base + 1 + t + (t >= 1) + (t >= 3);
      const std::string label =
          t == 0 ? "Player(&0)" : "Computer" + std::to_string(t) + "(&" + std::to_string(t) + ")";
      const bool checked = (side == 1 && t == 0) || (side == 2 && t == 3);
      EXPECT_EQ(players[row], "    " + label + "=" + std::to_string(playerItemId(side, t)) +
                                  (checked ? "*" : ""));
    }
  }
  EXPECT_EQ(playerItemId(1, 0), IDM_SIDE1_PLAYER);
  EXPECT_EQ(playerItemId(1, 8), IDM_SIDE1_COMPUTER8);
  EXPECT_EQ(playerItemId(2, 3), IDM_SIDE2_COMPUTER3);
  // The way back: the 18 player items, and no other item, name a side and a PlayerType.
  int playerItems = 0;
  for (const MenuEntry& e : MENU_TABLE) {
    const PlayerItem item = playerOfItem(e.id);
    if (e.kind != MenuEntryKind::Item || item.side == 0) continue;
    ++playerItems;
    EXPECT_EQ(playerItemId(item.side, item.type), e.id);
  }
  EXPECT_EQ(playerItems, 18);
}

TEST(MenuTable, CommandIdsAreUniqueAndOnlyTheDefaultsStartChecked) {
  std::set<int> ids;
  std::set<int> checked;
  for (int i = 0; i < MENU_TABLE_SIZE; ++i) {
    const MenuEntry& e = MENU_TABLE[i];
    if (e.kind != MenuEntryKind::Item) continue;
    EXPECT_TRUE(ids.insert(e.id).second) << e.id;
    if (e.checkedAtStart) checked.insert(e.id);
  }
  EXPECT_EQ(ids.size(), 35u);
  EXPECT_EQ(checked, (std::set<int>{IDM_SIDE1_PLAYER, IDM_SIDE2_COMPUTER3, IDM_SOUND,
                                    IDM_SPEED_NORMAL, IDM_PRIORITY_NORMAL}));
}

}  // namespace
