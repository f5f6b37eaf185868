// The Qt front-end on the offscreen platform: the window, its menu, clicks, commands and the
// computer's moves arriving from its thread.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "display/sheets.h"
#include "rules/board.h"
#include "rules/game.h"
#include "rules/settings.h"
#include "shell/menu.h"
#include "shell/qt/board_view.h"
#include "shell/qt/main_window.h"
#include "shell/qt/qt_platform.h"

namespace {

QPoint squareCentre(int x, int y) {
  return QPoint(35 * x + 18, 35 * y + 18);
}

// Processes events until the condition holds or the time is up.
bool waitFor(const std::function<bool()>& condition, int milliseconds = 20000) {
  QElapsedTimer timer;
  timer.start();
  while (!condition()) {
    if (timer.elapsed() > milliseconds) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return true;
}

class QtWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    platform = std::make_unique<QtPlatform>();
    window = std::make_unique<MainWindow>(*platform);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  }
  void TearDown() override {
    window->close();
    window.reset();
    platform->joinThreads();
    platform.reset();
  }

  void choose(int id) {
    QAction* action = platform->action(id);
    ASSERT_NE(action, nullptr) << id;
    action->trigger();
  }

  void click(QPoint p) { QTest::mouseClick(window->view(), Qt::LeftButton, {}, p); }

  // The colour the window shows at a pixel of the game's picture.
  QRgb shown(QPoint p) { return window->view()->grab().toImage().pixel(p); }

  // How many pixels of square (x, y)'s tile area the window shows in a colour other than white,
  // and whether they all equal the back buffer's.
  int inkOnSquare(int x, int y, bool* matchesBuffer) {
    const QImage image = window->view()->grab().toImage();
    int ink = 0;
    *matchesBuffer = true;
    for (int py = 35 * y + 2; py < 35 * y + 34; ++py) {
      for (int px = 35 * x + 2; px < 35 * x + 34; ++px) {
        const QRgb c = image.pixel(px, py);
        if (c != qRgb(255, 255, 255)) ++ink;
        if (c != (pixelColour(px, py) | 0xFF000000u)) *matchesBuffer = false;
      }
    }
    return ink;
  }

  std::unique_ptr<QtPlatform> platform;
  std::unique_ptr<MainWindow> window;
};

// The menu as an outline, one line per entry, from the table or from the Qt menu bar.
std::vector<std::string> tableOutline() {
  std::vector<std::string> lines;
  int depth = 0;
  for (int i = 0; i < MENU_TABLE_SIZE; ++i) {
    const MenuEntry& e = MENU_TABLE[i];
    const std::string indent(2 * depth, ' ');
    if (e.kind == MenuEntryKind::Popup) {
      lines.push_back(indent + e.label);
      ++depth;
    } else if (e.kind == MenuEntryKind::PopupEnd) {
      --depth;
    } else if (e.kind == MenuEntryKind::Separator) {
      lines.push_back(indent + "-");
    } else {
      lines.push_back(indent + e.label + (e.checkedAtStart ? " *" : ""));
    }
  }
  return lines;
}

void qtOutline(const QList<QAction*>& actions, int depth, std::vector<std::string>& lines) {
  const std::string indent(2 * depth, ' ');
  for (QAction* a : actions) {
    if (a->isSeparator()) {
      lines.push_back(indent + "-");
    } else if (a->menu()) {
      lines.push_back(indent + a->text().toStdString());
      qtOutline(a->menu()->actions(), depth + 1, lines);
    } else {
      lines.push_back(indent + a->text().toStdString() + (a->isChecked() ? " *" : ""));
    }
  }
}

TEST_F(QtWindow, ClientAreaIsFixedAt531By351) {
  EXPECT_EQ(window->view()->size(), QSize(SCREEN_WIDTH, SCREEN_HEIGHT));
  EXPECT_EQ(window->centralWidget(), window->view());
  EXPECT_EQ(window->minimumSize(), window->maximumSize());
  EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Velnor Part1"));
}

TEST_F(QtWindow, MenuBarIsTheMenuTableWithItsCheckMarks) {
  std::vector<std::string> lines;
  qtOutline(window->menuBar()->actions(), 0, lines);
  EXPECT_EQ(lines, tableOutline());
}

TEST_F(QtWindow, ClickOnASquareMakesTheMoveAndShowsThePiece) {
  choose(IDM_SIDE2_PLAYER);
  bool matches = false;
  EXPECT_EQ(inkOnSquare(6, 5, &matches), 0);
  click(squareCentre(6, 5));
  EXPECT_EQ(gameRecord.currentIndex, 1);
  EXPECT_EQ(BoardStack[0].at(6, 5), 1);
  EXPECT_GT(inkOnSquare(6, 5, &matches), 200) << "the spray can is shown";
  EXPECT_TRUE(matches);
}

TEST_F(QtWindow, ClickOnAGridLineIsIgnored) {
  choose(IDM_SIDE2_PLAYER);
  click(QPoint(35 * 6, 35 * 5 + 18));  // the line left of f5
  click(QPoint(35 * 6 + 18, 35 * 5));  // the line above f5
  EXPECT_EQ(gameRecord.currentIndex, 0);
}

TEST_F(QtWindow, GuideCommandChecksItsItemAndMarksTheLegalSquares) {
  const QPoint c4 = squareCentre(3, 4);
  EXPECT_EQ(shown(c4), qRgb(255, 255, 255));
  choose(IDM_GUIDE);
  EXPECT_TRUE(platform->action(IDM_GUIDE)->isChecked());
  EXPECT_TRUE(settings.guide);
  EXPECT_NE(shown(c4), qRgb(255, 255, 255));
  choose(IDM_GUIDE);
  EXPECT_FALSE(platform->action(IDM_GUIDE)->isChecked());
  EXPECT_EQ(shown(c4), qRgb(255, 255, 255));
}

TEST_F(QtWindow, PersonBeatsOrLosesToComputer1ByClickingGuideSquares) {
  choose(IDM_SIDE2_COMPUTER1);
  choose(IDM_GUIDE);
  settings.animationDelay = 0;
  while (!isGameOver(0)) {
    if (sideToMove == 1) {
      bool clicked = false;
      for (int x = 1; x <= 8 && !clicked; ++x) {
        for (int y = 1; y <= 8 && !clicked; ++y) {
          if (!isLegalMove(0, 1, x, y)) continue;
          const int before = gameRecord.currentIndex;
          click(squareCentre(x, y));
          ASSERT_EQ(gameRecord.currentIndex, before + 1);
          clicked = true;
        }
      }
      ASSERT_TRUE(clicked);
    } else {
      const int before = gameRecord.currentIndex;
      ASSERT_TRUE(waitFor([&] { return gameRecord.currentIndex > before; }))
          << "the computer's move arrives";
    }
  }
  EXPECT_FALSE(thinkingFlag);
  EXPECT_EQ(discCounts[1] + discCounts[2], gameRecord.currentIndex + 4);
}

TEST_F(QtWindow, StopWithdrawsTheComputerAndResumeStartsItAgain) {
  choose(IDM_SIDE2_COMPUTER6);
  settings.animationDelay = 0;
  bookEnabledFlag = false;  // make the computer search rather than look its move up
  click(squareCentre(6, 5));
  ASSERT_TRUE(thinkingFlag || gameRecord.currentIndex == 2);
  choose(IDM_STOP);
  EXPECT_FALSE(thinkingFlag);
  const int stoppedAt = gameRecord.currentIndex;
  QTest::qWait(50);
  EXPECT_EQ(gameRecord.currentIndex, stoppedAt);
  if (sideToMove == 2) {
    choose(IDM_RESUME);
    EXPECT_TRUE(waitFor([&] { return gameRecord.currentIndex == stoppedAt + 1; }));
  }
}

TEST_F(QtWindow, ClosingWhileTheComputerThinksEndsCleanly) {
  choose(IDM_SIDE1_COMPUTER8);
  choose(IDM_SIDE2_COMPUTER8);
  choose(IDM_NEW_GAME);  // a computer against itself: always thinking or moving
  settings.animationDelay = 0;
  QTest::qWait(200);
  window->close();
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(thinkingFlag);
  platform->joinThreads();  // returns: no thread is left waiting
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  Q_INIT_RESOURCE(velnor);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
