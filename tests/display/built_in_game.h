// A game through the whole program without a window, over the program's own images rather
// than the test sheets, with both sides played by a person and no animation wait.
#pragma once

#include <gtest/gtest.h>

#include "display/test_sheets.h"
#include "rules/game.h"
#include "rules/settings.h"
#include "shell/headless/headless_shell.h"
#include "shell/menu.h"
#include "shell/resources.h"

class BuiltInGame : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int s = 0; s < SHEET_COUNT; ++s) {
      size_t size = 0;
      const unsigned char* bytes = findEmbeddedResource(SHEET_NAMES[s], &size);
      if (!bytes || size < 14 + 104) GTEST_SKIP() << "the images are not built in yet";
      sheets[s].bytes.assign(bytes, bytes + size);
      sheets[s].width = static_cast<int>(bytes[18] | bytes[19] << 8);
      sheets[s].height = static_cast<int>(bytes[22] | bytes[23] << 8);
    }
    shell.create();
    shell.command(playerItemId(2, PLAYER_PERSON));
    settings.animationDelay = 0;
  }

  // Square (x, y) shows the whole tile, as drawSquare draws it.
  ::testing::AssertionResult showsTile(int x, int y, int tile) {
    if (tile == 0) return testsheets::rectWhite(35 * x + 2, 35 * y + 2, 32, 32);
    return testsheets::rectFromSheet(sheets[SHEET_PIECE], 35 * x + 2, 35 * y + 2, 32, 32,
                                     32 * tile - 32, 0);
  }

  testsheets::SheetImage sheets[SHEET_COUNT];
  HeadlessShell shell;
};
