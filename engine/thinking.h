// The thinking thread: one per computer move, started by the window's thread, choosing a move
// for the position on screen and handing it back with a synchronous message.
#pragma once

#include <atomic>

// What a decision needs from the desktop.
struct ThinkingPlatform {
  virtual ~ThinkingPlatform() = default;
  // Runs entry on a new thread at priority 1 (highest), 2 (normal) or 3 (lowest); any other
  // value leaves the platform's default. False if no thread could be started.
  virtual bool startThread(void (*entry)(), int priority) = 0;
  // Sends the move-ready message to the window and returns once the window's thread has
  // handled it (or once the window is gone).
  virtual void deliverMove() = 0;
};

void installThinkingPlatform(ThinkingPlatform* platform);

// The move the thread has chosen, column and row 1..8.
extern std::atomic<int> chosenX, chosenY;

// How the last decision was made, for the analysis tool.
enum class DecisionSource { Novice, Book, First, Search, Endgame };
struct DecisionReport {
  DecisionSource source;
  int score;  // the best root score of a searched decision
};
extern DecisionReport lastDecision;

// Levels 3 to 8 solve the rest of the game exactly from this many discs on the board.
extern const int ENDGAME_THRESHOLD[6];  // by level - 3

// Sets the thinking flag and starts a thread for the side to move.
void startThinking();
// The thread's body.
void thinkingThread();
// The score of the root move on ply (always 1) by the level's method.
int scoreRootMove(int ply, int alpha, int beta);

// Blocks until no thread that was told to stop can touch the game state any more: called on
// the window's thread before the shown position changes, before a thread starts and before
// the window goes away. Never waits for a thread that is waiting for the window.
void settleThinking();

// Withdraws the computer for good (the window is going away): clears the thinking flag, waits
// as settleThinking does and drops a move already on its way.
void abandonThinking();

// For the move-ready message: the delivered move, if it was chosen by the latest decision for
// the position still on screen. A move from an abandoned decision is dropped.
bool takeDeliveredMove(int* x, int* y);
