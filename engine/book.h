// The opening book: 71 stored lines, played in the four orientations of the board that map
// the starting position onto itself.
#pragma once

#include <cstdint>

constexpr int BOOK_LINE_LENGTH = 17;  // entries 0..16; shorter lines end with an end marker
constexpr int STORED_BOOK_LINES = 71;
constexpr int EXPANDED_BOOK_LINES = 4 * STORED_BOOK_LINES;

// Entry i is the square code played in the position with currentIndex i.
template <typename Code>
struct BookLine {
  Code entry[BOOK_LINE_LENGTH];
};

extern const BookLine<int32_t> STORED_BOOK[STORED_BOOK_LINES];  // end marker 0
// Blocks of 71 lines: identity, half turn, anti-diagonal and main-diagonal reflection.
extern BookLine<int16_t> expandedBook[EXPANDED_BOOK_LINES];

// Builds the expanded book; once, at start-up.
void expandBook();

// The next move of every expanded line that the game's moves (moves[0..currentIndex - 1])
// have followed, in table order; a move that several lines offer appears several times. No
// lookup finds more than 71, since a game's first move is the first move of one block only.
int findBookCandidates(int32_t candidates[EXPANDED_BOOK_LINES]);

// The book's move for the shown position as a square code, or 0 (which switches the book off
// for the rest of the game). One draw from the shared generator when there are candidates.
int bookMove();
