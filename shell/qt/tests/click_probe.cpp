// The Qt program as a player meets it, for scripts/test-sound: a fresh window plays MOVES moves
// of a person (side 1) against the default computer, clicking the first legal square each
// time, and prints on standard output the moment the game asked for each click sound, one
// line each ("click 1234.567890 person", seconds of the monotonic clock). The sound goes
// wherever the program's own would go; the script listens to it there.
//
//   click_probe MOVES [PAUSE_MS]    PAUSE_MS: the wait before each of the person's moves
#include <QApplication>
#include <QTest>
#include <QThread>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

#include "rules/board.h"
#include "rules/board_geometry.h"
#include "rules/game.h"
#include "shell/app.h"
#include "shell/qt/board_view.h"
#include "shell/qt/main_window.h"
#include "shell/qt/qt_platform.h"
#include "shell/qt/tests/wait_for.h"

namespace {

// Notes the moment of every click the game asks for, from either thread, and passes it on.
class ClickClock final : public ForwardingHooks {
 public:
  using ForwardingHooks::ForwardingHooks;

  std::vector<std::string> lines() {
    std::lock_guard<std::mutex> lock(mutex_);
    return lines_;
  }

 protected:
  void observe(const char* call, std::initializer_list<int>) override {
    if (std::string(call) != "playClick") return;
    const double now =
        std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
    const bool person = QThread::currentThread() == QCoreApplication::instance()->thread();
    char line[64];
    std::snprintf(line, sizeof line, "click %.6f %s", now, person ? "person" : "computer");
    std::lock_guard<std::mutex> lock(mutex_);
    lines_.push_back(line);
  }

 private:
  std::mutex mutex_;
  std::vector<std::string> lines_;
};

bool personToMove() {
  return sideToMove == 1 && !thinkingFlag && !isGameOver(0);
}

// The first legal square of side 1 by column, then row; false when it has none.
bool firstLegalSquare(int* x, int* y) {
  for (*x = 1; *x <= 8; ++*x) {
    for (*y = 1; *y <= 8; ++*y) {
      if (isLegalMove(0, 1, *x, *y)) return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  const int moves = argc > 1 ? std::atoi(argv[1]) : 0;
  const int pauseMs = argc > 2 ? std::atoi(argv[2]) : 500;
  if (moves < 1 || pauseMs < 0) {
    std::fputs("usage: click_probe MOVES [PAUSE_MS]\n", stderr);
    return 2;
  }
  QApplication app(argc, argv);
  QtPlatform platform;
  ClickClock clock(&programHooks());
  int status = 0;
  {
    MainWindow window(platform);
    installGameHooks(&clock);
    window.show();
    for (int played = 0; played < moves; ++played) {
      if (!waitFor(personToMove, 20000)) {
        std::fputs("click_probe: the person's turn did not come\n", stderr);
        status = 1;
        break;
      }
      QTest::qWait(pauseMs);
      int x = 0;
      int y = 0;
      if (!firstLegalSquare(&x, &y)) break;
      QTest::mouseClick(window.view(), Qt::LeftButton, {},
                        QPoint(tileLeft(x) + TILE_SIZE / 2, tileTop(y) + TILE_SIZE / 2));
    }
    // The computer's last reply, and time for its sound to play out.
    waitFor(personToMove, 20000);
    QTest::qWait(pauseMs);
    window.close();
  }
  platform.joinThreads();
  for (const std::string& line : clock.lines()) std::printf("%s\n", line.c_str());
  return status;
}
