#include "engine_test_support.h"

#include <algorithm>
#include <sstream>

#include "engine/counters.h"
#include "engine/random.h"
#include "rules/board.h"
#include "rules/board_text.h"
#include "rules/game.h"
#include "rules/settings.h"

namespace {

int drawValue = 0;
int draws = 0;
std::vector<int> sequence;
size_t sequenceNext = 0;

int countedDraw() {
  ++draws;
  if (sequenceNext < sequence.size()) return sequence[sequenceNext++];
  return drawValue;
}

}  // namespace

void loadBoard(int ply, const std::string& squares) {
  std::string error;
  ASSERT_TRUE(parseBoardText(squares, BoardStack[ply], error)) << error << ": " << squares;
}

std::string boardText(int ply) {
  return boardText(BoardStack[ply]);
}

const char* const SAMPLE_GAME =
    "d3 c5 d6 e3 f5 e6 f6 c6 c4 d7 f4 f3 e2 b3 f2 g3 g5 e7 h3 c3 c7 c8 f8 e8 d8 f7 b8 d2 c1 g4 "
    "h5 g6 h6 h4 g8 f1 d1 e1 g1 g2 b6 b5 a5 b4 h1 h2 a4 a3 c2 a6 g7 a2 a7 a8 b7 h8 b2 h7 b1 a1";

std::string sampleGameMoves(int n) {
  const std::string all = SAMPLE_GAME;
  return all.substr(0, std::min(all.size(), static_cast<size_t>(3 * n)));
}

void setDrawSequence(std::initializer_list<int> values) {
  sequence = values;
  sequenceNext = 0;
  drawValue = 0;
}

void setDrawValue(int value) {
  sequence.clear();
  drawValue = value;
}
int drawsMade() {
  return draws;
}

void replayFromStart(const std::string& moves) {
  loadBoard(0, "........ ........ ........ ...21... ...12... ........ ........ ........");
  gameRecord = GameRecord{};
  int side = 1;
  std::istringstream names(moves);
  std::string name;
  while (names >> name) {
    const int x = name[0] - 'a' + 1;
    const int y = name[1] - '0';
    if (legalCodes(0, side).empty()) side = opponent(side);  // a pass
    ASSERT_TRUE(isLegalMove(0, side, x, y)) << name << " for side " << side;
    playMove(0, side, x, y);
    gameRecord.moves[gameRecord.currentIndex++] = static_cast<int16_t>(squareCode(x, y));
    side = opponent(side);
  }
  if (legalCodes(0, side).empty()) side = opponent(side);
  gameRecord.lastIndex = gameRecord.currentIndex;
  sideToMove = side;
}

std::string legalCodes(int ply, int side) {
  std::string out;
  for (const Square s : legalSquares(ply, side)) {
    if (!out.empty()) out += ' ';
    out += std::to_string(s.code());
  }
  return out;
}

void EngineTest::SetUp() {
  for (Board& b : BoardStack) b = Board{};
  gameRecord = GameRecord{};
  sideToMove = 1;
  thinkingFlag = true;
  stoppedFlag = false;
  bookEnabledFlag = false;
  settings.playerType[1] = PLAYER_PERSON;
  settings.playerType[2] = PLAYER_PERSON;
  sequence.clear();
  drawValue = 0;
  draws = 0;
  setRandomSource(countedDraw);
  clearEngineCounters();
}

void EngineTest::TearDown() {
  setRandomSource(nullptr);
  thinkingFlag = false;
}
