#include "engine/thinking.h"

#include <climits>
#include <condition_variable>
#include <mutex>

#include "engine/book.h"
#include "engine/evaluation.h"
#include "engine/novice.h"
#include "engine/search.h"
#include "rules/board.h"
#include "rules/game.h"
#include "rules/hooks.h"
#include "rules/settings.h"

std::atomic<int> chosenX{0}, chosenY{0};
DecisionReport lastDecision{DecisionSource::First, 0};

//                                    level: 3   4   5   6   7   8
const int ENDGAME_THRESHOLD[6] = {57, 56, 54, 52, 50, 48};

namespace {

ThinkingPlatform* platform = nullptr;

// The level of the decision under way, read once when the thread starts: the player choice may
// change after Stop while an abandoned thread is still finishing.
int decisionLevel = 3;

// A thread's life, as the window's thread sees it. At most one thread is busy at a time: one
// that has started and not yet passed its last use of the game state. A delivering thread
// stops being busy just before its synchronous send, so the window's thread never waits for a
// thread that is waiting for it.
struct Life {
  std::mutex mutex;
  std::condition_variable changed;
  bool busy = false;            // a thread may still touch the game state
  uint32_t latestDecision = 0;  // counts the decisions started
  uint32_t decisionSerial = 0;  // the position serial the latest decision started from
  // The move of a thread that has delivered, until the window's thread takes it.
  bool pending = false;
  uint32_t pendingDecision = 0;
  uint32_t pendingSerial = 0;
  int pendingX = 0;
  int pendingY = 0;
};
Life life;

constexpr int ROOT_CAPACITY = 64;  // every legal move: never more than the empty squares

struct RootList {
  int x[ROOT_CAPACITY];
  int y[ROOT_CAPACITY];
  int score[ROOT_CAPACITY];
  int count = 0;
};

// Descending by score through pairwise exchanges. Not stable, and which of two equal moves is
// played depends on exactly this order: 5, 5, 7 in scan order come out 7, second 5, first 5.
void exchangeSort(RootList& list) {
  for (int i = 0; i < list.count - 1; ++i) {
    for (int j = i + 1; j < list.count; ++j) {
      if (list.score[i] < list.score[j]) {
        std::swap(list.x[i], list.x[j]);
        std::swap(list.y[i], list.y[j]);
        std::swap(list.score[i], list.score[j]);
      }
    }
  }
}

bool solvesEndgame(int level) {
  return gameRecord.currentIndex + 4 >= ENDGAME_THRESHOLD[level - 3];
}

// Ends the thread's use of the game state; a delivering thread then sends its move.
void finishDecision(bool deliver, uint32_t decision, uint32_t serial) {
  if (deliver) gameHooks().playClick();
  {
    std::lock_guard<std::mutex> lock(life.mutex);
    if (deliver) {
      life.pending = true;
      life.pendingDecision = decision;
      life.pendingSerial = serial;
      life.pendingX = chosenX;
      life.pendingY = chosenY;
    }
    life.busy = false;
  }
  life.changed.notify_all();
  // Past this point the thread touches nothing shared: the send only asks the window.
  if (deliver && platform) platform->deliverMove();
}

// Levels 3 to 8 past the opening book: every legal move, ordered by a one-ply evaluation and
// then searched with the best score so far as the bound. False when told to stop.
bool searchRootMoves(int me, int level) {
  RootList list;
  for (const Square s : legalSquares(0, me)) {
    playChild(0, me, s.x, s.y);
    list.x[list.count] = s.x;
    list.y[list.count] = s.y;
    list.score[list.count] = evaluatePosition(1);
    ++list.count;
  }
  if (list.count > 1) exchangeSort(list);

  if (gameRecord.currentIndex == 0) {
    // The first move of a game is the best of the one-ply order, without a search.
    chosenX = list.x[0];
    chosenY = list.y[0];
    lastDecision = {DecisionSource::First, list.score[0]};
    return true;
  }

  int best = INT_MIN;
  for (int i = 0; i < list.count; ++i) {
    const int x = list.x[i];
    const int y = list.y[i];
    GameHooks& view = gameHooks();
    if (settings.showThinking) view.drawSquare(x, y, TILE_THINKING);
    examinedSquare = squareCode(x, y);
    playChild(0, me, x, y);
    const int v = scoreRootMove(1, best, INT_MAX);
    if (v > best) {  // of equal scores the earlier in the order wins
      chosenX = x;
      chosenY = y;
      best = v;
    }
    examinedSquare = NO_SQUARE;
    view.drawSquare(x, y, settings.guide ? TILE_GUIDE : TILE_EMPTY);
    if (!thinkingFlag) return false;
  }
  lastDecision = {solvesEndgame(level) ? DecisionSource::Endgame : DecisionSource::Search, best};
  return true;
}

}  // namespace

void installThinkingPlatform(ThinkingPlatform* p) {
  platform = p;
}

void startThinking() {
  settleThinking();
  {
    std::lock_guard<std::mutex> lock(life.mutex);
    ++life.latestDecision;
    life.decisionSerial = positionSerial;
    life.pending = false;
    life.busy = true;
  }
  thinkingFlag = true;
  if (!platform || !platform->startThread(thinkingThread, settings.priority)) {
    // No thread: the game waits with the computer "thinking" until Stop, and nothing is busy.
    std::lock_guard<std::mutex> lock(life.mutex);
    life.busy = false;
    life.changed.notify_all();
  }
}

void thinkingThread() {
  uint32_t decision;
  uint32_t serial;
  {
    std::lock_guard<std::mutex> lock(life.mutex);
    decision = life.latestDecision;
    serial = life.decisionSerial;
  }
  const int me = sideToMove;
  const int level = settings.playerType[me];
  decisionLevel = level;
  if (level < 1 || level > MAX_COMPUTER_LEVEL) {  // not a computer: nothing to choose
    finishDecision(false, decision, serial);
    return;
  }

  if (level == 1 || level == 2) {
    // The novice levels always deliver, even after Stop.
    chooseNoviceMove();
    lastDecision = {DecisionSource::Novice, 0};
    finishDecision(true, decision, serial);
    return;
  }

  bool decided = false;
  const int index = gameRecord.currentIndex;
  if (bookEnabledFlag && index > 0 && index < 17) {
    const int code = bookMove();
    if (code != NO_SQUARE) {
      chosenX = squareOf(code).x;
      chosenY = squareOf(code).y;
      lastDecision = {DecisionSource::Book, 0};
      decided = true;
    }
  }
  if (!decided && !searchRootMoves(me, level)) {
    finishDecision(false, decision, serial);
    return;
  }
  finishDecision(thinkingFlag, decision, serial);
}

int scoreRootMove(int ply, int alpha, int beta) {
  const int me = sideToMove;
  const int level = decisionLevel;
  depthLimit = level - 3;
  if (solvesEndgame(level)) return endgameSearch(ply, opponent(me), alpha, beta);
  if (level == 3) return evaluatePosition(ply);
  return midgameSearch(ply, opponent(me), alpha, beta);
}

void settleThinking() {
  std::unique_lock<std::mutex> lock(life.mutex);
  life.changed.wait(lock, [] { return !life.busy; });
}

void abandonThinking() {
  thinkingFlag = false;
  settleThinking();
  std::lock_guard<std::mutex> lock(life.mutex);
  life.pending = false;
}

bool takeDeliveredMove(int* x, int* y) {
  std::lock_guard<std::mutex> lock(life.mutex);
  if (!life.pending) return false;
  life.pending = false;
  if (life.pendingDecision != life.latestDecision || life.pendingSerial != positionSerial) {
    return false;
  }
  *x = life.pendingX;
  *y = life.pendingY;
  return true;
}
