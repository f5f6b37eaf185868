// What the turn flow and the thinking thread ask of the rest of the program: drawing the
// board and the side panel, the click sound, the one-second clock and the computer. The
// shell installs one implementation at start-up; tests install their own.
#pragma once

#include <initializer_list>

// The tile drawSquare draws on a square. A side's piece is the side's own number.
constexpr int TILE_EMPTY = 0;
constexpr int TILE_GUIDE = 3;     // the square is legal for the side to move
constexpr int TILE_THINKING = 4;  // the computer is examining the square
constexpr int pieceTile(int side) {
  return side;
}
// What a Board cell shows: nothing when it is empty, else its side's piece.
constexpr int tileOfCell(int cell) {
  return cell == 0 ? TILE_EMPTY : pieceTile(cell);
}

// The modes of drawLastMove: a side's own number shows that side's last move.
constexpr int LAST_MOVE_CLEAR_BOTH = 0;
constexpr int lastMoveShow(int side) {
  return side;
}
constexpr int lastMoveClear(int side) {  // 3 for side 1, 4 for side 2
  return side + 2;
}

// The kinds of drawMessage.
constexpr int MESSAGE_CLEAR = 0;
constexpr int MESSAGE_RESULT = 1;  // who has won and by how much, or a draw
constexpr int MESSAGE_PASS = 2;    // the side to move cannot place a piece

struct GameHooks {
  virtual ~GameHooks() = default;

#define GAME_HOOK(name, parameters, arguments) virtual void name parameters = 0;
#include "rules/hook_table.def"
#undef GAME_HOOK
};

// Passes every call on to another set of hooks, or drops it when there is none: the base of
// hooks that watch every call or replace a few and leave the rest as they are.
class ForwardingHooks : public GameHooks {
 public:
  explicit ForwardingHooks(GameHooks* inner = nullptr) : inner_(inner) {}

#define GAME_HOOK(name, parameters, arguments) void name parameters override;
#include "rules/hook_table.def"
#undef GAME_HOOK

 protected:
  // Sees each call, by its name and arguments, before it is passed on. Nothing by default.
  virtual void observe(const char* call, std::initializer_list<int> arguments);

 private:
  GameHooks* inner_;
};

// nullptr goes back to hooks that do nothing: no screen, no sound, no clock and no computer.
void installGameHooks(GameHooks* hooks);
GameHooks& gameHooks();
