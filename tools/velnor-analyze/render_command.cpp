// render: the window's picture after a line of moves, written as a PNG.
#include <png.h>

#include <CLI/CLI.hpp>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "command.h"
#include "display/sheets.h"
#include "position_text.h"
#include "rules/board.h"
#include "rules/game.h"
#include "rules/settings.h"
#include "shell/headless/headless_shell.h"
#include "shell/menu.h"

namespace {

struct RenderOptions {
  std::string moves;
  std::string out;
  bool guide = false;
  std::string showThinking;
  std::string players;
};

// Square names separated by spaces or commas; passes are not written, the turn flow makes them.
std::vector<int> parseMoves(const std::string& text) {
  std::string spaced = text;
  for (char& c : spaced) {
    if (c == ',') c = ' ';
  }
  std::istringstream in(spaced);
  std::vector<int> codes;
  std::string name;
  while (in >> name) codes.push_back(parseSquare(name));
  return codes;
}

void parsePlayers(const std::string& text, int types[3]) {
  const size_t comma = text.find(',');
  const auto type = [&](const std::string& t) {
    if (t.size() != 1 || t[0] < '0' || t[0] > '0' + MAX_COMPUTER_LEVEL) {
      throw UsageError("players: '" + text + "' is not P1,P2 with each 0 (a person) to 8");
    }
    return t[0] - '0';
  };
  if (comma == std::string::npos) type("");
  types[1] = type(text.substr(0, comma));
  types[2] = type(text.substr(comma + 1));
}

void writePng(const std::string& path) {
  std::vector<uint32_t> rgb(SCREEN_WIDTH * SCREEN_HEIGHT);
  copyBackBufferRgb32(rgb.data());
  std::vector<png_byte> rows(3 * rgb.size());
  for (size_t i = 0; i < rgb.size(); ++i) {
    rows[3 * i] = static_cast<png_byte>(rgb[i] >> 16);
    rows[3 * i + 1] = static_cast<png_byte>(rgb[i] >> 8);
    rows[3 * i + 2] = static_cast<png_byte>(rgb[i]);
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = SCREEN_WIDTH;
  image.height = SCREEN_HEIGHT;
  image.format = PNG_FORMAT_RGB;
  if (!png_image_write_to_file(&image, path.c_str(), 0, rows.data(), 0, nullptr)) {
    throw UsageError("out: cannot write " + path + ": " + image.message);
  }
}

// The moves are clicked at square centres through the real turn flow, both sides persons so
// that no computer starts, without animation delay.
void replay(HeadlessShell& shell, const std::vector<int>& codes) {
  shell.command(playerItemId(2, PLAYER_PERSON));
  settings.animationDelay = 0;
  for (size_t i = 0; i < codes.size(); ++i) {
    const Square s = squareOf(codes[i]);
    const int before = gameRecord.currentIndex;
    if (!isLegalMove(0, sideToMove, s.x, s.y)) {
      throw UsageError("moves: move " + std::to_string(i + 1) + ", " + squareName(codes[i]) +
                       ", is not legal for side " + std::to_string(sideToMove));
    }
    shell.clickSquare(s.x, s.y);
    if (gameRecord.currentIndex != before + 1) {
      throw UsageError("moves: move " + std::to_string(i + 1) + " was not accepted");
    }
  }
}

void render(const RenderOptions& o) {
  const std::vector<int> codes = parseMoves(o.moves);
  int types[3] = {0, 0, 0};
  if (!o.players.empty()) parsePlayers(o.players, types);
  const int examined = o.showThinking.empty() ? 0 : parseSquare(o.showThinking);

  HeadlessShell shell;
  shell.create();
  replay(shell, codes);
  // Changing the players redraws the labels; it starts no computer.
  if (!o.players.empty()) {
    shell.command(playerItemId(1, types[1]));
    shell.command(playerItemId(2, types[2]));
  }
  if (o.guide) shell.command(IDM_GUIDE);
  if (examined != 0) {
    examinedSquare = examined;
    shell.command(IDM_SHOW_THINKING);
  }
  writePng(o.out);
  shell.destroy();
}

void setupRender(CLI::App& app) {
  auto o = std::make_shared<RenderOptions>();
  CLI::App* cmd = app.add_subcommand("render", "the window's picture after a line of moves");
  cmd->add_option("--moves", o->moves, "the moves from the start, e.g. \"f5 d6 c3\"");
  cmd->add_option("--out", o->out, "the PNG file to write")->required();
  cmd->add_flag("--guide", o->guide, "mark the legal squares of the side to move");
  cmd->add_option("--show-thinking", o->showThinking,
                  "the thinking marker on this square, as if the computer examined it");
  cmd->add_option("--players", o->players,
                  "P1,P2: the players shown afterwards, 0 a person, 1..8 a computer level");
  cmd->callback([o] { render(*o); });
}

const CommandRegistration registration(setupRender);

}  // namespace
