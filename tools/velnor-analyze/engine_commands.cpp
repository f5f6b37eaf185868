// eval, choose, solve, book, novice: the computer player's judgements and decisions.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <string>

#include "command.h"
#include "engine/book.h"
#include "engine/evaluation.h"
#include "engine/novice.h"
#include "engine/search.h"
#include "engine/thinking.h"
#include "engine_setup.h"
#include "position_text.h"
#include "rules/board.h"
#include "rules/game.h"
#include "rules/settings.h"

namespace {

struct EngineOptions {
  std::string position;
  std::string side;
  std::string moves;
  std::string rng;
  int level = 0;
  int index = 0;
};

CLI::Option* addPosition(CLI::App* cmd, EngineOptions& o) {
  return cmd->add_option("--position", o.position, "64 squares, row 1 first; or 'start'");
}

CLI::Option* addSide(CLI::App* cmd, EngineOptions& o) {
  return cmd->add_option("--side", o.side, "the computer's side, 1 or 2");
}

void addRng(CLI::App* cmd, EngineOptions& o) {
  cmd->add_option("--rng", o.rng, "'zero' (every draw 0) or a seed; the clock by default");
}

const char* sourceName(DecisionSource source) {
  switch (source) {
    case DecisionSource::Novice:
      return "novice";
    case DecisionSource::Book:
      return "book";
    case DecisionSource::First:
      return "first";
    case DecisionSource::Search:
      return "search";
    case DecisionSource::Endgame:
      return "endgame";
  }
  return "?";
}

void setupEval(CLI::App& app) {
  auto o = std::make_shared<EngineOptions>();
  CLI::App* cmd = app.add_subcommand("eval", "the static evaluation and its terms");
  addPosition(cmd, *o)->required();
  addSide(cmd, *o)->required();
  addRng(cmd, *o);
  cmd->callback([o] {
    const int side = parseSide(o->side);
    parsePosition(o->position, BoardStack[0]);
    applyRandomOption(o->rng);
    sideToMove = side;
    copyPly(1);  // the evaluation is made on the search's plies

    const int total = evaluatePosition(1);
    if (total == EVAL_WIPED_OUT || total == EVAL_OPPONENT_WIPED_OUT) {
      std::printf("total %d\n", total);  // a side without discs: no terms, no draw
      return;
    }
    const int square = squareTerm(1);
    const int mobility = mobilityTerm(1);
    const int edge = edgePatternTerm(1);
    const int stable = stableDiscTerm(1);
    const int frontier = frontierTerm(1);
    const int random = total - (square + mobility + edge + 10 * stable + 2 * frontier);
    std::printf("square %d\nmobility %d\nedge %d\nstable %d\nfrontier %d\nrandom %d\ntotal %d\n",
                square, mobility, edge, stable, frontier, random, total);
  });
}

void setupChoose(CLI::App& app) {
  auto o = std::make_shared<EngineOptions>();
  CLI::App* cmd = app.add_subcommand("choose", "the computer's move, made as in a game");
  CLI::Option* position = addPosition(cmd, *o);
  CLI::Option* side = addSide(cmd, *o);
  CLI::Option* moves =
      cmd->add_option("--moves", o->moves, "a game from the start, e.g. \"f5 d6 c3\"");
  position->needs(side);
  side->needs(position);
  moves->excludes(position)->excludes(side);
  cmd->add_option("--level", o->level, "the computer level, 1 to 8")->required();
  addRng(cmd, *o);
  cmd->callback([o, moves, position] {
    if (moves->count() == 0 && position->count() == 0) {
      throw UsageError("choose: give --position and --side, or --moves");
    }
    if (o->level < 1 || o->level > MAX_COMPUTER_LEVEL) {
      throw UsageError("level: " + std::to_string(o->level) + " is not a computer level 1..8");
    }
    if (o->rng == "zero" && o->level <= 2) {
      // The novice levels draw squares until a best one comes up; with every draw 0 only a1
      // ever would.
      throw UsageError("rng: 'zero' cannot choose for levels 1 and 2 (use a seed)");
    }
    applyRandomOption(o->rng);
    expandBook();
    if (moves->count() > 0) {
      replayMoves(o->moves);  // the book is consulted as in a game
    } else {
      loadPosition(o->position, parseSide(o->side));
    }
    requireLegalMove();

    const DecisionOutcome outcome = runDecision(o->level);
    std::printf("move %s\n", squareName(squareCode(outcome.x, outcome.y)).c_str());
    std::printf("source %s\n", sourceName(outcome.report.source));
    if (outcome.report.source == DecisionSource::Search ||
        outcome.report.source == DecisionSource::Endgame) {
      std::printf("score %d\n", outcome.report.score);
    }
  });
}

void setupSolve(CLI::App& app) {
  auto o = std::make_shared<EngineOptions>();
  CLI::App* cmd = app.add_subcommand("solve", "the exact final disc count under best play");
  addPosition(cmd, *o)->required();
  addSide(cmd, *o)->required();
  cmd->callback([o] {
    loadPosition(o->position, parseSide(o->side));
    const int empties = countDiscs(0, 0);
    if (empties > MAX_SEARCH_EMPTIES) {
      throw UsageError("position: " + std::to_string(empties) +
                       " empty squares; solve takes at most " + std::to_string(MAX_SEARCH_EMPTIES));
    }
    requireLegalMove();
    thinkingFlag = true;
    const ExactSolution solution = solveExactly();
    thinkingFlag = false;
    std::printf("discs %d\nmove %s\n", solution.discs,
                squareName(squareCode(solution.x, solution.y)).c_str());
  });
}

void setupBook(CLI::App& app) {
  auto o = std::make_shared<EngineOptions>();
  CLI::App* cmd = app.add_subcommand("book", "the opening book's candidates after a game");
  cmd->add_option("--moves", o->moves, "a game from the start, e.g. \"f5 d6 c3\"")->required();
  cmd->callback([o] {
    expandBook();
    replayMoves(o->moves);
    const int n = gameRecord.currentIndex;
    if (n < 1 || n > BOOK_LINE_LENGTH - 1) {
      throw UsageError("moves: the book is asked after 1 to 16 moves, not " + std::to_string(n));
    }
    int32_t candidates[EXPANDED_BOOK_LINES];
    const int count = findBookCandidates(candidates);
    std::string out;
    for (int i = 0; i < count; ++i) {
      if (i > 0) out += ' ';
      out += squareName(candidates[i]);
    }
    std::printf("%s\n", count > 0 ? out.c_str() : "none");
  });
}

void setupNovice(CLI::App& app) {
  auto o = std::make_shared<EngineOptions>();
  CLI::App* cmd = app.add_subcommand("novice", "the novice levels' score of every square");
  addPosition(cmd, *o)->required();
  addSide(cmd, *o)->required();
  cmd->add_option("--level", o->level, "1 or 2")->required();
  cmd->add_option("--index", o->index, "moves made so far (the record's current index)")
      ->required();
  cmd->callback([o] {
    if (o->level != 1 && o->level != 2) {
      throw UsageError("level: " + std::to_string(o->level) + " is not a novice level (1 or 2)");
    }
    if (o->index < 0 || o->index > 60) {
      throw UsageError("index: " + std::to_string(o->index) + " is not 0..60");
    }
    loadPosition(o->position, parseSide(o->side));
    gameRecord.currentIndex = o->index;
    requireLegalMove();
    settings.playerType[sideToMove] = o->level;

    NoviceScores scores;
    scoreNoviceMoves(scores);
    for (int y = 1; y <= 8; ++y) {
      for (int x = 1; x <= 8; ++x) {
        std::printf(x < 8 ? "%d " : "%d\n", scores.score[squareCode(x, y)]);
      }
    }
  });
}

const CommandRegistration evalCommand(setupEval);
const CommandRegistration chooseCommand(setupChoose);
const CommandRegistration solveCommand(setupSolve);
const CommandRegistration bookCommand(setupBook);
const CommandRegistration noviceCommand(setupNovice);

}  // namespace
