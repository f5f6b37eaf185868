// Shared set-up for the engine tests: boards from text, a clean game state, and a random
// source whose draws are fixed and counted.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

// A position as 64 characters, row 1 first (a1 b1 ... h1), '.' empty, '1' and '2' the sides;
// spaces are ignored, so a board can be written as eight rows.
void loadBoard(int ply, const std::string& squares);
std::string boardText(int ply);

// One game of the computer against itself, from the start to a full board; side 1 passes
// once, before the 59th move.
extern const char* const SAMPLE_GAME;
// The first n moves of SAMPLE_GAME.
std::string sampleGameMoves(int n);

// Draws return these values in turn, then 0; each is counted.
void setDrawSequence(std::initializer_list<int> values);

// Every draw returns the value last set and is counted.
void setDrawValue(int value);
int drawsMade();

// Plays moves ("f5 d6 c3") from the starting position on ply 0 as a game would: a side
// without a legal move passes. Fills the record's moves and current index and sets the side
// to move; fails the test at an illegal move.
void replayFromStart(const std::string& moves);

// The legal squares of a side on a ply, as codes in scan order.
std::string legalCodes(int ply, int side);

// Resets the game state before each test: empty BoardStack, empty record, side 1 to move,
// thinking flag set (the searches give up without it), book off, every draw 0 and counted.
class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};
