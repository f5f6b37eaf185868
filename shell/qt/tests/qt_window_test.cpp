// The Qt front-end on the offscreen platform: the window, its menu, clicks, commands and the
// computer's moves arriving from its thread.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "display/board_view.h"
#include "display/sheets.h"
#include "engine/thinking.h"
#include "rules/board.h"
#include "rules/game.h"
#include "rules/settings.h"
#include "shell/app.h"
#include "shell/menu.h"
#include "shell/qt/board_view.h"
#include "shell/qt/main_window.h"
#include "shell/qt/qt_platform.h"
#include "shell/qt/tests/wait_for.h"

namespace {

QPoint squareCentre(int x, int y) {
  return QPoint(35 * x + 18, 35 * y + 18);
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

TEST_F(QtWindow, KeysAloneBeatOrLoseToComputer1) {
  choose(IDM_SIDE2_COMPUTER1);
  choose(IDM_SPEED_FAST);
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  QWidget* keys = QApplication::focusWidget();
  ASSERT_EQ(keys, window->view()) << "the board takes the keys";
  QTest::keyClick(keys, Qt::Key_Home);  // the first key only shows the frame
  const Qt::Key plays[] = {Qt::Key_Return, Qt::Key_Space, Qt::Key_Enter};
  int played = 0;
  while (!isGameOver(0)) {
    const int before = gameRecord.currentIndex;
    if (sideToMove == 2) {
      ASSERT_TRUE(waitFor([&] { return gameRecord.currentIndex > before; }))
          << "the computer's move arrives";
      continue;
    }
    Square target{0, 0};
    for (int x = 1; x <= 8 && target.x == 0; ++x) {
      for (int y = 1; y <= 8 && target.x == 0; ++y) {
        if (isLegalMove(0, 1, x, y)) target = Square{x, y};
      }
    }
    ASSERT_NE(target.x, 0);
    for (Square at = framedSquare(); at.x != target.x || at.y != target.y; at = framedSquare()) {
      const Qt::Key step = at.x < target.x   ? Qt::Key_Right
                           : at.x > target.x ? Qt::Key_Left
                           : at.y < target.y ? Qt::Key_Down
                                             : Qt::Key_Up;
      QTest::keyClick(keys, step);
      ASSERT_NE(framedSquare().code(), at.code()) << "a key moved the frame";
    }
    QTest::keyClick(keys, plays[played++ % 3]);
    ASSERT_EQ(gameRecord.currentIndex, before + 1);
    EXPECT_EQ(shown(QPoint(35 * target.x + 2, 35 * target.y + 2)), qRgb(0xB0, 0x74, 0x10))
        << "the frame over the new piece is on the window";
  }
  EXPECT_FALSE(thinkingFlag);
  EXPECT_EQ(discCounts[1] + discCounts[2], gameRecord.currentIndex + 4);
}

// Holds the thinking thread at its first thinking marker until released, so that a command is
// sure to reach the computer while it is still choosing: a quick search could otherwise have
// sent its move already, and a move sent is still made.
class HeldAtFirstMarker final : public ForwardingHooks {
 public:
  explicit HeldAtFirstMarker(GameHooks* inner) : ForwardingHooks(inner) { installGameHooks(this); }
  // Also when the test stops early: the thread goes on, and is done with these hooks before
  // the program's own come back.
  ~HeldAtFirstMarker() override {
    release();
    settleThinking();
    installGameHooks(&programHooks());
  }

  void drawSquare(int x, int y, int tile) override {
    if (tile == TILE_THINKING && std::this_thread::get_id() != window_) {
      std::unique_lock<std::mutex> lock(mutex_);
      reached_ = true;
      changed_.notify_all();
      changed_.wait(lock, [this] { return released_; });
    }
    ForwardingHooks::drawSquare(x, y, tile);
  }
  bool waitUntilHeld() {
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(20), [this] { return reached_; });
  }
  void release() {
    std::lock_guard<std::mutex> lock(mutex_);
    released_ = true;
    changed_.notify_all();
  }

 private:
  const std::thread::id window_ = std::this_thread::get_id();
  std::mutex mutex_;
  std::condition_variable changed_;
  bool reached_ = false;
  bool released_ = false;
};

TEST_F(QtWindow, StopWithdrawsTheComputerAndResumeStartsItAgain) {
  HeldAtFirstMarker held(&programHooks());
  choose(IDM_SIDE2_COMPUTER6);
  settings.animationDelay = 0;
  settings.showThinking = true;
  bookEnabledFlag = false;  // make the computer search rather than look its move up
  click(squareCentre(6, 5));
  const bool wasHeld = held.waitUntilHeld();
  choose(IDM_STOP);
  held.release();
  ASSERT_TRUE(wasHeld) << "the computer did not start its search";
  EXPECT_FALSE(thinkingFlag);
  QTest::qWait(50);
  EXPECT_EQ(gameRecord.currentIndex, 1);
  choose(IDM_RESUME);
  EXPECT_TRUE(waitFor([&] { return gameRecord.currentIndex == 2; }));
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
