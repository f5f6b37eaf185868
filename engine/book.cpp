#include "engine/book.h"

#include "engine/random.h"
#include "rules/game.h"

namespace {

// Reached only while reading a malformed line of the stored book. It is not constexpr, so a
// malformed line stops the book from compiling.
int malformedBookLine() {
  return 0;
}

// One stored line from its moves written as square names ("f5 f6 e6"), with end markers 0
// after the last move.
constexpr BookLine<int32_t> line(const char* moves) {
  BookLine<int32_t> out{};
  int n = 0;
  for (const char* p = moves; *p != '\0';) {
    if (*p == ' ') {
      ++p;
      continue;
    }
    if (n == BOOK_LINE_LENGTH || p[0] < 'a' || p[0] > 'h' || p[1] < '1' || p[1] > '8' ||
        (p[2] != ' ' && p[2] != '\0')) {
      out.entry[0] = malformedBookLine();
      return out;
    }
    out.entry[n++] = squareCode(p[0] - 'a' + 1, p[1] - '0');
    p += 2;
  }
  return out;
}

}  // namespace

// Every line is a legal game from the starting position, side 1 first, without a pass.
constexpr BookLine<int32_t> STORED_BOOK[STORED_BOOK_LINES] = {
    line("f5 f6 e6 f4 e3 d3 f3 c5 c4 e2"),
    line("f5 f6 e6 f4 e3 d6 g4 d3 c3 f2"),
    line("f5 f6 e6 f4 e3 c5 c4 e7 b5 e2 f2 d2 f3 d3 c3 c2"),
    line("f5 f6 e6 f4 e3 c5 c4 e7 b5 e2 f2 d2 f3 d3 g5 c3 g4"),
    line("f5 f6 e6 f4 e3 c5 c4 e7 b5 e2 f2 d2 f3 g4 g5 d6 g3"),
    line("f5 f6 e6 f4 e3 c5 c4 e7 b5 e2 f3 f2 g5 g4 g6 d6"),
    line("f5 f6 e6 f4 e3 c5 c4 e7 g4 g3 g5 f3 g6 d6 e2"),
    line("f5 f6 e6 f4 e3 c5 c4 e7 g4 g3 g5 f3 d7 d3"),
    line("f5 f6 e6 f4 e3 c5 c4 e7 g4 g3 g6 h3 d6 f7 c6"),
    line("f5 f6 e6 f4 e3 c5 c4 e7 g4 g3 d7 h4 f7"),
    line("f5 f6 e6 f4 e3 c5 c4 e7 g4 g3 d7 g5 b5 d3 c3 e2"),
    line("f5 f6 e6 f4 e3 c5 g5 g4 g6 h5 f3 g3 h6"),
    line("f5 f6 e6 f4 e3 c5 g5 f3 g4 g6 g3 d6 f7 h4 d3 h5"),
    line("f5 f6 e6 f4 e3 c5 g5 f3 g6 d7 d6 e7 e8"),
    line("f5 f6 e6 f4 e3 c5 g5 d6 g6 g4 e7 f7 c6 d3 f3"),
    line("f5 f6 e6 f4 c3 d6 f3 c4 c5 b4 a5 a3 c6 b3"),
    line("f5 f6 e6 f4 c3 d6 f3 c5 g4 g3"),
    line("f5 f6 e6 f4 c3 e7 f3 e3 d3 e2 g5 c5 d2"),
    line("f5 f6 e6 f4 c3 d7 f3 d6 g5 g4 e3"),
    line("f5 f6 e6 f4 g4 e7 f7 g5 f3 d6"),
    line("f5 f6 e6 f4 g4 e7 f7 g5 e3 d3"),
    line("f5 f6 e6 f4 g4 e7 f7 g5 h5 g6 f3 d6"),
    line("f5 f6 e6 f4 g5 e7 f7 h5 d3 c6"),
    line("f5 f6 e6 f4 g5 e7 f7 h5 e3 d3"),
    line("f5 f6 e6 f4 g5 e7 f7 h5 g4 h4 e3 d6"),
    line("f5 f6 e6 f4 g5 e7 f7 h5 e8 c5 g4 h4"),
    line("f5 f6 e6 f4 g5 e7 f7 c5 f3 g3 h3 h5 g4"),
    line("f5 f6 e6 f4 g5 e7 f7 g6 h5 c5 d8"),
    line("f5 f6 e6 f4 g5 g6 e7 c5"),
    line("f5 f6 e6 f4 g5 d6 e7 g4 f3 h5"),
    line("f5 f6 e6 f4 g6 c5 g4 g5 h4 h6 e3"),
    line("f5 f6 e6 f4 g6 c5 g4 g5 h4 h6 f3 e3 c4"),
    line("f5 f6 e6 f4 g6 c5 g4 g5 h4 h3 f3"),
    line("f5 f6 e6 f4 g6 c5 g4 g5 f3 e3 c4 g3"),
    line("f5 f6 e6 f4 g6 d6 g4 f7"),
    line("f5 f6 e6 f4 g6 d6 e3 f3 g4 d3"),
    line("f5 f6 e6 f4 g6 d6 e3 f3 g5 d3"),
    line("f5 f6 e6 f4 g6 d6 e3 f3 g5 g3 d3 e2"),
    line("f5 f6 e6 f4 g6 d6 e3 f3 g5 e7 d3 e2"),
    line("f5 f6 e6 f4 g6 d6 e3 d3 g4 e7 g5 e2 d8 f8 d7 f7 c6"),
    line("f5 f6 e6 f4 g6 d6 c6 e7 f8 h6"),
    line("f5 f6 e6 f4 g6 e7 g5 g4"),
    line("f5 f6 c4 g5 e6 d7 e7 d6 c5 c6 d8"),
    line("f5 d6 c5 f4 e3 c6 d3 f6 e6 d7 e7 c7 c4 f3 d8"),
    line("f5 d6 c5 f4 e3 c6 d3 f6 e6 d7 g3 c4 g6 g5 e7"),
    line("f5 d6 c5 f4 e3 c6 d3 g5 f6 c4 g6 f3 c3 e2"),
    line("f5 d6 c5 f4 e3 c6 d3 g5 f6 f3 g4 h3"),
    line("f5 d6 c5 f4 e3 c6 d3 g5 f6 e7 g6 f3 e6 f7 d7"),
    line("f5 d6 c5 f4 e3 c6 d3 g5 e6 d7 g3 c4 h6"),
    line("f5 d6 c5 f4 e3 c6 e6 f7 e7 f6"),
    line("f5 d6 c5 f4 e3 d3 e6 g5 c4 c3 d2"),
    line("f5 d6 c5 f4 e3 d3 f3 f2 c4 c3 e6"),
    line("f5 d6 c5 f4 e3 f6 f3 c4 d3 e6"),
    line("f5 d6 c5 f4 d3 c4 c3 c6 e6 b5 e3"),
    line("f5 d6 c5 f4 d3 e3 g4 g5 e6 c4 e2 f6"),
    line("f5 d6 c5 f4 d3 g5 e6 f6 g3 b5"),
    line("f5 d6 c5 f4 d3 g5 e6 c4 e3 c6 g3 f6 b3"),
    line("f5 d6 c3 d3 c4 f4 c5 b4 b5 c6 f3 e6 e3"),
    line("f5 d6 c3 d3 c4 f4 c5 b4 b3 e6 c6 b5 e3"),
    line("f5 d6 c3 d3 c4 f4 c5 b3 d2"),
    line("f5 d6 c3 d3 c4 f4 e6"),
    line("f5 d6 c4 d3 c3 f4 c5 b4 b5 c6 f3 e6 e3"),
    line("f5 d6 c4 d3 c3 f4 c5 b4 b3 e6 c6 b5 e3"),
    line("f5 d6 c4 d3 c3 f4 c5 b3 d2"),
    line("f5 d6 c4 d3 c3 f4 e6"),
    line("f5 d6 c4 d3 e6 f4 e3 f3 c3"),
    line("f5 d6 c4 g5 c6 c5 e6"),
    line("f5 d6 c4 g5 c6 d3 e6 d7 f6 c7"),
    line("f5 f4 e3 f6 d3 c5 d6 c4 e6"),
    line("f5 f4 e3 f6 d3 c4 e6 c5 d6"),
    line("f5 f4 e3 f6 d3 e2 f2 d2 f3 g4"),
};

BookLine<int16_t> expandedBook[EXPANDED_BOOK_LINES];

void expandBook() {
  for (int i = 0; i < STORED_BOOK_LINES; ++i) {
    for (int e = 0; e < BOOK_LINE_LENGTH; ++e) {
      // The four orientations that map the starting position onto itself. The end marker 0
      // becomes 99 under the half turn and the anti-diagonal reflection.
      const int v = STORED_BOOK[i].entry[e];
      const Square s = squareOf(v);
      expandedBook[i].entry[e] = static_cast<int16_t>(v);
      expandedBook[STORED_BOOK_LINES + i].entry[e] = static_cast<int16_t>(99 - s.code());
      expandedBook[2 * STORED_BOOK_LINES + i].entry[e] =
          static_cast<int16_t>(99 - squareCode(s.y, s.x));
      expandedBook[3 * STORED_BOOK_LINES + i].entry[e] = static_cast<int16_t>(squareCode(s.y, s.x));
    }
  }
}

int findBookCandidates(int32_t candidates[EXPANDED_BOOK_LINES]) {
  const int n = gameRecord.currentIndex;
  if (n < 0 || n >= BOOK_LINE_LENGTH) return 0;  // past the longest line
  int count = 0;
  for (int l = 0; l < EXPANDED_BOOK_LINES; ++l) {
    const int16_t* entry = expandedBook[l].entry;
    int i = 0;
    while (i < n && entry[i] == gameRecord.moves[i]) ++i;
    // Only a real square continues the line: not the end markers 0 and 99.
    if (i == n && entry[n] > 10 && entry[n] <= 88) candidates[count++] = entry[n];
  }
  return count;
}

int bookMove() {
  int32_t candidates[EXPANDED_BOOK_LINES];
  const int count = findBookCandidates(candidates);
  // A move that more lines continue with is proportionally more likely.
  const int result = count > 0 ? candidates[drawRandom() % count] : 0;
  if (result == 0) bookEnabledFlag = false;
  return result;
}
