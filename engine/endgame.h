// The exact search near the end of the game: every line is followed to the end and scored by
// the number of discs the computer's side (sideToMove) owns there, 0 to 64.
#pragma once

// The computer's side's final disc count under best play from Board ply with side to move,
// within the window (alpha, beta): a position worth at most alpha comes back at most alpha,
// one worth at least beta at least beta, and any other with its exact value. So with the
// root's window (the best so far, 2147483647) a move that cannot beat the best so far comes
// back no higher, and one that beats it comes back exact. Returns 0 at once when it sees the
// thinking flag cleared; it looks at least every thousand positions.
int endgameSearch(int ply, int side, int alpha, int beta);

// The exact value of ply 0 for the computer's side (sideToMove), which is to move there: its
// final disc count under best play, and the first move in scan order that reaches it. Plays
// each legal move on ply 1 and scores it with endgameSearch as the thinking thread would.
// The side must have a legal move, at most MAX_SEARCH_EMPTIES squares may be empty, and the
// thinking flag must be set; decided is false if the flag is cleared meanwhile.
struct ExactSolution {
  bool decided;
  int discs;
  int x, y;
};
ExactSolution solveExactly();

// The exact search is compiled twice: counting bits with shifts and masks that every processor
// runs, and with the compiler's builtin, which on x86 is the POPCNT instruction that older
// processors lack; the second runs where the processor has it. Tests and benchmarks may
// choose; Popcount is refused (false) where that code or the instruction is missing. Never
// while a search runs.
enum class EndgameCode { Portable, Popcount };
bool useEndgameCode(EndgameCode code);
EndgameCode endgameCode();

// Forgets every result the exact search has stored, so that the next search starts cold: for
// benchmarks and tests. Never while a search runs.
void clearEndgameTable();
