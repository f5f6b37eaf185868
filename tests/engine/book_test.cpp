#include "engine/book.h"

#include <sstream>
#include <string>

#include "engine_test_support.h"
#include "rules/board.h"
#include "rules/board_text.h"
#include "rules/game.h"

namespace {

class BookTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    expandBook();
    bookEnabledFlag = true;
  }

  // The candidates for the game so far, as square names.
  static std::string candidates() {
    int32_t found[EXPANDED_BOOK_LINES];
    const int count = findBookCandidates(found);
    std::string out;
    for (int i = 0; i < count; ++i) out += name(found[i]) + " ";
    return out;
  }

  static std::string name(int code) {
    if (code == 0 || code == 99) return std::to_string(code);
    return squareName(code);
  }

  static std::string lineText(const BookLine<int16_t>& line) {
    std::string out;
    for (int16_t code : line.entry) out += name(code) + " ";
    return out;
  }

  static std::string repeated(const std::string& move, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += move + " ";
    return out;
  }
};

TEST_F(BookTest, EveryLineIsALegalGameWithoutPasses) {
  for (int l = 0; l < EXPANDED_BOOK_LINES; ++l) {
    const BookLine<int16_t>& line = expandedBook[l];
    const int block = l / STORED_BOOK_LINES;
    const int marker = block == 1 || block == 2 ? 99 : 0;
    replayFromStart("");
    int side = 1;
    int length = 0;
    while (length < BOOK_LINE_LENGTH && line.entry[length] != marker) {
      const int code = line.entry[length];
      ASSERT_TRUE(isLegalMove(0, side, code / 10, code % 10))
          << "line " << l << " move " << length + 1 << ": " << lineText(line);
      playMove(0, side, code / 10, code % 10);
      side = opponent(side);
      ++length;
    }
    EXPECT_GE(length, 7) << "line " << l;
    for (int e = length; e < BOOK_LINE_LENGTH; ++e) {
      EXPECT_EQ(line.entry[e], marker) << "line " << l << " entry " << e;
    }
  }
}

TEST_F(BookTest, BlocksHoldTheFourOrientations) {
  EXPECT_EQ(lineText(expandedBook[0]), "f5 f6 e6 f4 e3 d3 f3 c5 c4 e2 0 0 0 0 0 0 0 ");
  EXPECT_EQ(lineText(expandedBook[STORED_BOOK_LINES]),
            "c4 c3 d3 c5 d6 e6 c6 f4 f5 d7 99 99 99 99 99 99 99 ");
  EXPECT_EQ(lineText(expandedBook[2 * STORED_BOOK_LINES]),
            "d3 c3 c4 e3 f4 f5 f3 d6 e6 g4 99 99 99 99 99 99 99 ");
  EXPECT_EQ(lineText(expandedBook[3 * STORED_BOOK_LINES]),
            "e6 f6 f5 d6 c5 c4 c6 e3 d3 b5 0 0 0 0 0 0 0 ");
  // The last stored line, to catch a miscounted table.
  EXPECT_EQ(lineText(expandedBook[STORED_BOOK_LINES - 1]),
            "f5 f4 e3 f6 d3 e2 f2 d2 f3 g4 0 0 0 0 0 0 0 ");
}

TEST_F(BookTest, CandidatesAfterEachFirstMoveComeFromOneBlockInOrder) {
  replayFromStart("f5");
  EXPECT_EQ(candidates(), repeated("f6", 43) + repeated("d6", 25) + repeated("f4", 3));
  replayFromStart("c4");
  EXPECT_EQ(candidates(), repeated("c3", 43) + repeated("e3", 25) + repeated("c5", 3));
  replayFromStart("d3");
  EXPECT_EQ(candidates(), repeated("c3", 43) + repeated("c5", 25) + repeated("e3", 3));
  replayFromStart("e6");
  EXPECT_EQ(candidates(), repeated("f6", 43) + repeated("f4", 25) + repeated("d6", 3));
}

TEST_F(BookTest, DrawPicksACandidateByItsPlaceInTheList) {
  replayFromStart("f5");
  setDrawValue(42);
  EXPECT_EQ(bookMove(), 66);  // f6
  setDrawValue(43);
  EXPECT_EQ(bookMove(), 46);  // d6
  setDrawValue(70);
  EXPECT_EQ(bookMove(), 64);  // f4
  setDrawValue(71);
  EXPECT_EQ(bookMove(), 66);  // the draw is taken modulo the number of candidates
  EXPECT_EQ(drawsMade(), 4);
  EXPECT_TRUE(bookEnabledFlag);
}

TEST_F(BookTest, OnlySeventeenMoveLinesAnswerAtIndexSixteen) {
  replayFromStart("f5 f6 e6 f4 e3 c5 c4 e7 b5 e2 f2 d2 f3 d3 g5 c3");  // 16 of line 4
  EXPECT_EQ(candidates(), "g4 ");
  replayFromStart("f5 f6 e6 f4 e3 c5 c4 e7 b5 e2 f2 d2 f3 d3 c3 c2");  // all of line 3
  EXPECT_EQ(candidates(), "");
  // Line 40 in the main-diagonal orientation.
  std::string moves;
  for (int e = 0; e < 16; ++e)
    moves += name(expandedBook[3 * STORED_BOOK_LINES + 39].entry[e]) + " ";
  replayFromStart(moves);
  EXPECT_EQ(candidates(), "f3 ");
}

TEST_F(BookTest, LineFollowedToItsEndSwitchesTheBookOffWithoutADraw) {
  replayFromStart("f5 f6 e6 f4 e3 d3 f3 c5 c4 e2");  // all of line 1
  EXPECT_EQ(bookMove(), 0);
  EXPECT_FALSE(bookEnabledFlag);
  EXPECT_EQ(drawsMade(), 0);
  // The same line turned half round ends with the marker 99, which is no move either.
  replayFromStart("c4 c3 d3 c5 d6 e6 c6 f4 f5 d7");
  bookEnabledFlag = true;
  EXPECT_EQ(bookMove(), 0);
  EXPECT_FALSE(bookEnabledFlag);
  EXPECT_EQ(drawsMade(), 0);
}

TEST_F(BookTest, GameThatLeftEveryLineGetsNothing) {
  // Nine moves of line 1, then a move no line continues with.
  replayFromStart("f5 f6 e6 f4 e3 d3 f3 c5 c4");
  std::istringstream legal(legalCodes(0, sideToMove));
  int code = 0;
  legal >> code;
  if (code == 52) legal >> code;  // e2 is line 1's next move
  replayFromStart("f5 f6 e6 f4 e3 d3 f3 c5 c4 " + name(code));
  EXPECT_EQ(bookMove(), 0);
  EXPECT_FALSE(bookEnabledFlag);
  EXPECT_EQ(drawsMade(), 0);
}

}  // namespace
