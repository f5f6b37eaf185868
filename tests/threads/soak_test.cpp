// A long random session of the whole program on the headless window, with real thinking
// threads: clicks anywhere, every menu command, Stop and Resume while the computer thinks, clock
// ticks and the computer's moves arriving. The game's invariants are checked after every step;
// a failure names the seed and the step, and a watchdog ends a session that hangs.
// VELNOR_SOAK_SEED and VELNOR_SOAK_STEPS choose another seed or length.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "engine/thinking.h"
#include "rules/board.h"
#include "rules/board_geometry.h"
#include "rules/board_text.h"
#include "rules/game.h"
#include "rules/settings.h"
#include "shell/headless/headless_shell.h"
#include "shell/menu.h"

namespace {

using namespace std::chrono_literals;

uint32_t fromEnvironment(const char* name, uint32_t fallback) {
  const char* text = std::getenv(name);
  return text && *text ? static_cast<uint32_t>(std::strtoul(text, nullptr, 10)) : fallback;
}

bool hasMove(const Board& b, int side) {
  for (int x = 1; x <= 8; ++x) {
    for (int y = 1; y <= 8; ++y) {
      if (isLegalMove(b, side, x, y)) return true;
    }
  }
  return false;
}

bool gameOver(const Board& b) {
  return !hasMove(b, 1) && !hasMove(b, 2);
}

// The headless window's thread platform with every decision numbered as its thread starts,
// and each decision's delivery of its move noted. The move-ready message carries nothing: the
// window makes the move of the latest decision if that one has delivered, so the tests know
// which decision a move belongs to.
class NumberedDecisions final : public ThinkingPlatform {
 public:
  struct Decision {
    uint32_t serial;  // the shown position it was started for
    int side;
    bool delivered;
  };

  explicit NumberedDecisions(ThinkingPlatform& shell) : shell_(shell) {}

  bool startThread(void (*entry)(), int priority) override {
    std::lock_guard<std::mutex> lock(mutex_);
    // On the window's thread, inside startThinking: the decision's position is on screen. The
    // previous thread has read its number, since a thread stays busy until it delivers.
    decisions_.push_back({positionSerial, sideToMove, false});
    starting_ = static_cast<int>(decisions_.size());
    entry_ = entry;
    return shell_.startThread(run, priority);
  }

  void deliverMove() override {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      decisions_[number_ - 1].delivered = true;
    }
    changed_.notify_all();
    shell_.deliverMove();
  }

  // A thread hands its move to the window a moment before it calls deliverMove, so the window
  // may already have made the move: wait for the call a little.
  bool waitUntilDelivered(int n) {
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(5),
                             [&] { return decisions_[n - 1].delivered; });
  }

  int latest() {
    std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<int>(decisions_.size());
  }
  Decision decision(int n) {
    std::lock_guard<std::mutex> lock(mutex_);
    return decisions_[n - 1];
  }

  static NumberedDecisions* instance;

 private:
  static void run() {
    {
      std::lock_guard<std::mutex> lock(instance->mutex_);
      number_ = instance->starting_;
    }
    instance->entry_();
  }

  ThinkingPlatform& shell_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<Decision> decisions_;
  int starting_ = 0;
  void (*entry_)() = nullptr;
  static thread_local int number_;
};

NumberedDecisions* NumberedDecisions::instance = nullptr;
thread_local int NumberedDecisions::number_ = 0;

class Soak : public ::testing::Test {
 protected:
  void SetUp() override {
    seed_ = fromEnvironment("VELNOR_SOAK_SEED", 20261208);
    steps_ = fromEnvironment("VELNOR_SOAK_STEPS", 10000);
    random_.seed(seed_);
    shell_ = std::make_unique<HeadlessShell>();
    shell_->create();
    decisions_ = std::make_unique<NumberedDecisions>(*shell_);
    NumberedDecisions::instance = decisions_.get();
    installThinkingPlatform(decisions_.get());
    for (const MenuEntry& e : MENU_TABLE) {
      if (e.kind == MenuEntryKind::Item) items_.push_back(e.id);
    }
  }

  void TearDown() override {
    shell_.reset();  // withdraws the computer and joins its threads
    installThinkingPlatform(nullptr);
    NumberedDecisions::instance = nullptr;
  }

  int below(int n) { return static_cast<int>(random_() % static_cast<uint32_t>(n)); }

  // What a step did, for the invariants that depend on it.
  enum class Step { Click, Message, Tick, Stop, Resume, Command };

  // One line of the trail a failure prints: the step and the state it left.
  std::string describe(uint32_t n, Step kind) {
    static const char* const NAMES[] = {"click", "message", "tick", "stop", "resume", "command"};
    char line[200];
    std::snprintf(line, sizeof line,
                  "%u %s %d: index %d/%d side %d players %d,%d thinking %d stopped %d decision %d",
                  n, NAMES[static_cast<int>(kind)], lastAction_, gameRecord.currentIndex,
                  gameRecord.lastIndex, sideToMove, settings.playerType[1].load(),
                  settings.playerType[2].load(), thinkingFlag.load(), stoppedFlag.load(),
                  decisions_->latest());
    return line;
  }

  Step randomStep() {
    lastAction_ = 0;
    const int r = below(100);
    if (r < 30) {
      // Half at the centre of a square, legal or not; half anywhere, off the board included.
      if (below(2) == 0) {
        const int x = 1 + below(8);
        const int y = 1 + below(8);
        lastAction_ = squareCode(x, y);
        shell_->clickSquare(x, y);
      } else {
        lastAction_ = -1;
        shell_->click(below(SCREEN_WIDTH + 40), below(SCREEN_HEIGHT + 40));
      }
      return Step::Click;
    }
    if (r < 45) {
      // The move starts the next decision at once: which was the latest is learnt first.
      latestBefore_ = decisions_->latest();
      if (shell_->handleNextMessage(10ms)) return Step::Message;
      return Step::Tick;  // nothing came: a tick instead
    }
    if (r < 52) return Step::Tick;
    if (r < 60 && thinkingFlag) {
      shell_->command(IDM_STOP);
      return Step::Stop;
    }
    if (r < 63) {
      shell_->command(IDM_RESUME);
      return Step::Resume;
    }
    // Now and then an id that is not in the menu.
    const int id =
        below(40) == 0 ? 999 + below(400) : items_[below(static_cast<int>(items_.size()))];
    lastAction_ = id;
    shell_->command(id);
    return id == IDM_STOP ? Step::Stop : Step::Command;
  }

  std::string brokenInvariant(Step step, int indexBefore, uint32_t serialBefore) {
    const Board& shown = BoardStack[0];
    const GameRecord& record = gameRecord;

    int counts[3] = {0, 0, 0};
    for (int x = 1; x <= 8; ++x) {
      for (int y = 1; y <= 8; ++y) ++counts[shown.at(x, y)];
    }
    for (int c = 0; c < 3; ++c) {
      if (counts[c] != discCounts[c]) return "disc count " + std::to_string(c) + " differs";
    }

    // The line replayed from the start, each move by the side to move before it.
    if (record.currentIndex < 0 || record.currentIndex > record.lastIndex ||
        record.lastIndex > 60) {
      return "indices " + std::to_string(record.currentIndex) + " / " +
             std::to_string(record.lastIndex);
    }
    Board line;
    std::string error;
    parseBoardText("start", line, error);
    if (boardText(line) != boardText(record.positions[0])) return "positions[0] is not the start";
    for (int i = 0; i < record.lastIndex; ++i) {
      const Square s = squareOf(record.moves[i]);
      const int side = record.sideToMoveAt[i];
      if (!isPlayingSquare(s.x, s.y) || !isLegalMove(line, side, s.x, s.y)) {
        return "move " + std::to_string(i) + " is not legal";
      }
      playMove(line, side, s.x, s.y);
      if (boardText(line) != boardText(record.positions[i + 1])) {
        return "positions[" + std::to_string(i + 1) + "] is not the line replayed";
      }
    }
    if (boardText(record.positions[record.currentIndex]) != boardText(shown)) {
      return "the shown position is not positions[currentIndex]";
    }

    // The side to move: the other side, unless it has to pass.
    for (int i = 0; i <= record.lastIndex; ++i) {
      int expected = 1;
      if (i > 0) {
        const int mover = record.sideToMoveAt[i - 1];
        expected = opponent(mover);
        if (!gameOver(record.positions[i]) && !hasMove(record.positions[i], expected)) {
          expected = mover;
        }
      }
      if (record.sideToMoveAt[i] != expected) {
        return "sideToMoveAt[" + std::to_string(i) + "] is " +
               std::to_string(record.sideToMoveAt[i]);
      }
    }
    if (sideToMove != record.sideToMoveAt[record.currentIndex]) return "sideToMove differs";

    // Every setting and its check marks.
    const std::pair<int, bool> toggles[] = {{IDM_GUIDE, settings.guide},
                                            {IDM_SHOW_THINKING, settings.showThinking},
                                            {IDM_SOUND, settings.sound}};
    for (const auto& [id, flag] : toggles) {
      if (shell_->isChecked(id) != flag) return "check mark of " + std::to_string(id);
    }
    for (int choice = 1; choice <= 3; ++choice) {
      if (shell_->isChecked(speedItemId(choice)) !=
          (settings.animationDelay == ANIMATION_DELAYS[choice])) {
        return "speed check mark " + std::to_string(choice);
      }
      if (shell_->isChecked(priorityItemId(choice)) != (settings.priority == choice)) {
        return "priority check mark " + std::to_string(choice);
      }
    }
    for (int side = 1; side <= 2; ++side) {
      for (int type = 0; type <= MAX_COMPUTER_LEVEL; ++type) {
        if (shell_->isChecked(playerItemId(side, type)) != (settings.playerType[side] == type)) {
          return "player check mark " + std::to_string(side) + "/" + std::to_string(type);
        }
      }
    }

    // The clock and the computer.
    const bool over = gameOver(shown);
    const bool running = shell_->timerRunning();
    if (running && (stoppedFlag || over)) return "the clock runs after Stop or the end";
    if (thinkingFlag && (!isComputer(sideToMove) || over)) return "thinking for nobody";
    // Only a click or the computer's message makes a move; a command that changes the position
    // is a jump or a new game.
    const bool changed = positionSerial != serialBefore;
    const bool moved = changed && (step == Step::Click || step == Step::Message) &&
                       record.currentIndex == indexBefore + 1;
    if (step == Step::Stop && running) return "the clock runs after Stop";
    if (changed && !moved) {
      if (step != Step::Command) return "the position changed without a move or a command";
      if (running) return "the clock runs after a jump or a new game";
    }
    if (moved && running != (!stoppedFlag && !over)) return "the clock after a move";

    // A computer's move is made only for the latest decision, on the position it started from.
    if (step == Step::Message && moved) {
      if (latestBefore_ == 0) return "a computer's move without a decision";
      if (!decisions_->waitUntilDelivered(latestBefore_)) return "a move from an earlier decision";
      const NumberedDecisions::Decision d = decisions_->decision(latestBefore_);
      if (d.serial != serialBefore) return "a decision's move made on another position";
      if (d.side != record.sideToMoveAt[record.currentIndex - 1]) return "a move by the wrong side";
    }
    return "";
  }

  uint32_t seed_ = 0;
  uint32_t steps_ = 0;
  std::mt19937 random_;
  std::unique_ptr<HeadlessShell> shell_;
  std::unique_ptr<NumberedDecisions> decisions_;
  std::vector<int> items_;
  int latestBefore_ = 0;  // the latest decision when a computer's move was taken
  int lastAction_ = 0;    // the square clicked (-1 a pixel anywhere) or the command
};

TEST_F(Soak, RandomSessionKeepsEveryInvariant) {
  std::atomic<uint32_t> step{0};
  std::atomic<bool> done{false};
  const uint32_t seed = seed_;
  std::thread watchdog([&] {
    uint32_t seen = step;
    auto last = std::chrono::steady_clock::now();
    while (!done) {
      std::this_thread::sleep_for(100ms);
      if (step != seen) {
        seen = step;
        last = std::chrono::steady_clock::now();
      } else if (std::chrono::steady_clock::now() - last > 60s) {
        std::fprintf(stderr, "soak: no progress for 60 s at step %u (seed %u)\n", seen, seed);
        std::fflush(stderr);
        std::_Exit(1);
      }
    }
  });

  int moves = 0;
  std::deque<std::string> recent;
  for (; step < steps_; ++step) {
    const int indexBefore = gameRecord.currentIndex;
    const uint32_t serialBefore = positionSerial;
    const Step kind = randomStep();
    recent.push_back(describe(step, kind));
    if (recent.size() > 24) recent.pop_front();
    if (kind == Step::Tick) shell_->tick();
    shell_->clearShownRects();
    const std::string broken = brokenInvariant(kind, indexBefore, serialBefore);
    if (!broken.empty()) {
      std::string trail;
      for (const std::string& line : recent) trail += line + "\n";
      ADD_FAILURE() << "seed " << seed_ << " step " << step << ": " << broken
                    << "\nthe last steps:\n"
                    << trail;
      break;
    }
    if (gameRecord.currentIndex == indexBefore + 1) ++moves;
  }
  done = true;
  watchdog.join();
  // A session that never got a game going would prove little.
  EXPECT_GT(moves, 100) << "seed " << seed_;
}

}  // namespace
