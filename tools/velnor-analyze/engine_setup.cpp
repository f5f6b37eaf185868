#include "engine_setup.h"

#include <chrono>
#include <sstream>

#include "command.h"
#include "engine/book.h"
#include "engine/random.h"
#include "position_text.h"
#include "rules/board.h"
#include "rules/game.h"
#include "rules/settings.h"

namespace {

int zeroDraw() {
  return 0;
}

// The decision runs on the caller's thread, so no thread is started and the move-ready
// message only notes that the decision was delivered: the caller reads the chosen move.
struct InlinePlatform final : ThinkingPlatform {
  bool delivered = false;
  bool startThread(void (*)(), int) override { return false; }
  void deliverMove() override { delivered = true; }
};
InlinePlatform inlinePlatform;

void clearRecord() {
  gameRecord = GameRecord{};
  bookEnabledFlag = false;
  stoppedFlag = false;
  thinkingFlag = false;
}

}  // namespace

void applyRandomOption(const std::string& rng) {
  if (rng == "zero") {
    setRandomSource(zeroDraw);
    return;
  }
  setRandomSource(nullptr);
  if (rng.empty()) {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    seedRandom(
        static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count()));
    return;
  }
  std::size_t used = 0;
  unsigned long seed = 0;
  try {
    seed = std::stoul(rng, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used != rng.size() || rng[0] == '-' || seed > 0xFFFFFFFFul) {
    throw UsageError("rng: '" + rng + "' is neither 'zero' nor a seed 0..4294967295");
  }
  seedRandom(static_cast<uint32_t>(seed));
}

void loadPosition(const std::string& position, int side) {
  clearRecord();
  parsePosition(position, BoardStack[0]);
  const int discs = countDiscs(0, 1) + countDiscs(0, 2);
  if (discs < 4) {
    throw UsageError("position: " + std::to_string(discs) +
                     " discs; a game never has fewer than 4");
  }
  sideToMove = side;
  gameRecord.currentIndex = discs - 4;
  gameRecord.lastIndex = gameRecord.currentIndex;
}

void replayMoves(const std::string& moves) {
  clearRecord();
  settings.playerType[1] = PLAYER_PERSON;  // nobody starts thinking during the replay
  settings.playerType[2] = PLAYER_PERSON;
  newGame();
  std::istringstream names(moves);
  std::string name;
  int made = 0;
  while (names >> name) {
    const Square s = squareOf(parseSquare(name));
    if (isGameOver(0)) {
      throw UsageError("moves: " + name + " comes after the end of the game");
    }
    if (!isLegalMove(0, sideToMove, s.x, s.y)) {
      throw UsageError("moves: " + name + " (move " + std::to_string(made + 1) +
                       ") is not legal for side " + std::to_string(sideToMove));
    }
    makeMove(s.x, s.y);
    afterMove();
    ++made;
  }
}

void requireLegalMove() {
  if (legalSquares(0, sideToMove).count > 0) return;
  throw UsageError("side " + std::to_string(sideToMove) + " has no legal move in this position");
}

DecisionOutcome runDecisionUnderFlag(int level) {
  installThinkingPlatform(&inlinePlatform);
  settings.playerType[sideToMove] = level;
  chosenX = 0;
  chosenY = 0;
  lastDecision = {DecisionSource::First, 0};
  inlinePlatform.delivered = false;
  thinkingThread();
  return {inlinePlatform.delivered, chosenX, chosenY, lastDecision};
}

DecisionOutcome runDecision(int level) {
  thinkingFlag = true;
  const DecisionOutcome outcome = runDecisionUnderFlag(level);
  thinkingFlag = false;
  return outcome;
}
