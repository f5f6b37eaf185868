// moves, play, perft: the rules alone.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>

#include "command.h"
#include "position_text.h"
#include "rules/board.h"

namespace {

struct PositionOptions {
  std::string position;
  std::string side;
};

void addPositionOptions(CLI::App* cmd, PositionOptions& o) {
  cmd->add_option("--position", o.position, "64 squares, row 1 first; or 'start'")->required();
  cmd->add_option("--side", o.side, "the side to move, 1 or 2")->required();
}

// Lines of exactly depth plies from the position on ply; a pass is a ply, and a line that
// reaches the end of the game early counts once.
long long perft(int ply, int side, int depth) {
  if (depth == 0 || isGameOver(ply)) return 1;
  long long lines = 0;
  const SquareList moves = legalSquares(ply, side);
  for (const Square s : moves) {
    playChild(ply, side, s.x, s.y);
    lines += perft(ply + 1, opponent(side), depth - 1);
  }
  if (moves.count == 0) {
    copyPly(ply + 1);
    lines = perft(ply + 1, opponent(side), depth - 1);
  }
  return lines;
}

void setupMoves(CLI::App& app) {
  auto o = std::make_shared<PositionOptions>();
  CLI::App* cmd = app.add_subcommand("moves", "the legal squares of a side, in scan order");
  addPositionOptions(cmd, *o);
  cmd->callback([o] {
    parsePosition(o->position, BoardStack[0]);
    const int side = parseSide(o->side);
    std::printf("%s\n", legalSquareNames(0, side).c_str());
  });
}

void setupPlay(CLI::App& app) {
  auto o = std::make_shared<PositionOptions>();
  auto square = std::make_shared<std::string>();
  CLI::App* cmd = app.add_subcommand("play", "the position after a move");
  addPositionOptions(cmd, *o);
  cmd->add_option("--square", *square, "the move, a1..h8")->required();
  cmd->callback([o, square] {
    parsePosition(o->position, BoardStack[0]);
    const int side = parseSide(o->side);
    const int code = parseSquare(*square);
    const Square s = squareOf(code);
    if (!isLegalMove(0, side, s.x, s.y)) {
      throw UsageError("square: " + *square + " is not a legal move for side " + o->side);
    }
    playMove(0, side, s.x, s.y);
    std::printf("%s\n", boardText(BoardStack[0]).c_str());
  });
}

void setupPerft(CLI::App& app) {
  auto o = std::make_shared<PositionOptions>();
  auto depth = std::make_shared<int>(0);
  CLI::App* cmd = app.add_subcommand("perft", "the number of lines of a given length");
  addPositionOptions(cmd, *o);
  cmd->add_option("--depth", *depth, "plies, a pass counting as one")->required();
  cmd->callback([o, depth] {
    parsePosition(o->position, BoardStack[0]);
    const int side = parseSide(o->side);
    if (*depth < 0 || *depth >= BOARD_STACK_SIZE) {
      throw UsageError("depth: must be 0 to " + std::to_string(BOARD_STACK_SIZE - 1));
    }
    std::printf("%lld\n", perft(0, side, *depth));
  });
}

const CommandRegistration movesCommand(setupMoves);
const CommandRegistration playCommand(setupPlay);
const CommandRegistration perftCommand(setupPerft);

}  // namespace
