#include "shell/commands.h"

#include "display/board_view.h"
#include "display/sheets.h"
#include "engine/random.h"
#include "engine/thinking.h"
#include "rules/board.h"
#include "rules/board_geometry.h"
#include "rules/game.h"
#include "rules/hooks.h"
#include "rules/settings.h"
#include "shell/menu.h"
#include "shell/speech.h"

namespace {

Platform* installed = nullptr;

// The keyboard's focus square; d3, one of the first player's opening moves, until a key moves
// it. The display draws its frame only once a board key has been used.
constexpr Square FOCUS_START{4, 3};
Square keyFocus = FOCUS_START;  // window's thread only

// Removes the item's check mark and learns whether it was set; sets it again and turns the
// flag on only if it was not. The flag and the mark agree afterwards.
void toggle(int id, std::atomic<bool>& flag) {
  const bool wasChecked = platform().checkMenuItem(id, false);
  if (!wasChecked) platform().checkMenuItem(id, true);
  flag = !wasChecked;
}

void resume() {
  if (thinkingFlag || isGameOver(0)) return;
  GameHooks& game = gameHooks();
  game.startClockTimer();
  stoppedFlag = false;
  if (isComputer(sideToMove)) game.startThinking();
}

void stop() {
  gameHooks().stopClockTimer();
  thinkingFlag = false;
  stoppedFlag = true;
}

void redrawExaminedSquare() {
  // Read under the drawing lock: the thinking thread clears the square before it redraws it,
  // so a marker drawn here is always replaced by the thread's own redraw.
  std::lock_guard<std::recursive_mutex> lock(drawingLock());
  const Square examined = squareOf(examinedSquare);
  if (examined.x == 0) return;
  const int tile = settings.showThinking ? TILE_THINKING : settings.guide ? TILE_GUIDE : TILE_EMPTY;
  gameHooks().drawSquare(examined.x, examined.y, tile);
}

// A thread given up by Stop may still be finishing; it must be past its last use of the game
// before the shown position changes.
void jumpWhenSettled(int n) {
  if (!thinkingFlag) settleThinking();
  jumpTo(n);
}

void moveReady() {
  int x = 0;
  int y = 0;
  if (!takeDeliveredMove(&x, &y)) return;
  makeMove(x, y);
  thinkingFlag = false;
  afterMove();
}

// A click on the board, from the mouse or from the play key, so that both keep every rule of a
// click: a thread given up by Stop is settled first, and clickAt refuses it while the computer
// thinks.
void clickBoard(uint16_t px, uint16_t py) {
  if (!thinkingFlag) settleThinking();
  clickAt(px, py);
}

int clampToBoard(int xOrY) {
  return xOrY < 1 ? 1 : xOrY > 8 ? 8 : xOrY;
}

// The first key only shows where the focus stands, so that nothing is played on a square the
// player has not seen framed. Moves stop at the board's edges.
bool keyDown(uintptr_t key) {
  if (key < KEY_LEFT || key > KEY_END) return false;
  if (framedSquare().x == 0) {
    frameSquare(keyFocus.x, keyFocus.y);
    return true;
  }
  switch (key) {
    case KEY_LEFT:
      keyFocus.x = clampToBoard(keyFocus.x - 1);
      break;
    case KEY_RIGHT:
      keyFocus.x = clampToBoard(keyFocus.x + 1);
      break;
    case KEY_UP:
      keyFocus.y = clampToBoard(keyFocus.y - 1);
      break;
    case KEY_DOWN:
      keyFocus.y = clampToBoard(keyFocus.y + 1);
      break;
    case KEY_HOME:
      keyFocus = Square{1, 1};
      break;
    case KEY_END:
      keyFocus = Square{8, 8};
      break;
    case KEY_PLAY:
      clickBoard(static_cast<uint16_t>(squareCentre(keyFocus.x)),
                 static_cast<uint16_t>(squareCentre(keyFocus.y)));
      return true;
  }
  frameSquare(keyFocus.x, keyFocus.y);
  return true;
}

}  // namespace

void resetKeyFocus() {
  keyFocus = FOCUS_START;
  frameSquare(0, 0);
}

void installPlatform(Platform* platform) {
  installed = platform;
}

Platform& platform() {
  return *installed;
}

void initSettings() {
  seedRandom(platform().tickCount());
  settings.playerType[1] = DEFAULT_PLAYER_TYPE[1];
  settings.playerType[2] = DEFAULT_PLAYER_TYPE[2];
  settings.guide = DEFAULT_GUIDE;
  settings.showThinking = DEFAULT_SHOW_THINKING;
  settings.sound = DEFAULT_SOUND;
  settings.animationDelay = ANIMATION_DELAYS[DEFAULT_SPEED_CHOICE];
  settings.priority = DEFAULT_PRIORITY;
}

void setPlayerType(int side, int type) {
  if (thinkingFlag) return;
  if (side == 1 || side == 2) settings.playerType[side] = type;
  Platform& p = platform();
  for (int s = 1; s <= 2; ++s) {
    for (int t = PLAYER_PERSON; t <= MAX_COMPUTER_LEVEL; ++t)
      p.checkMenuItem(playerItemId(s, t), false);
  }
  for (int s = 1; s <= 2; ++s) {
    const int t = settings.playerType[s];
    if (t >= PLAYER_PERSON && t <= MAX_COMPUTER_LEVEL) p.checkMenuItem(playerItemId(s, t), true);
  }
  gameHooks().drawPlayerLabels();
}

void setAnimationSpeed(int choice) {
  Platform& p = platform();
  p.checkMenuItem(IDM_SPEED_FAST, false);
  p.checkMenuItem(IDM_SPEED_NORMAL, false);
  p.checkMenuItem(IDM_SPEED_SLOW, false);
  if (choice < 1 || choice > 3) return;
  p.checkMenuItem(speedItemId(choice), true);
  settings.animationDelay = ANIMATION_DELAYS[choice];
}

void setPriorityChoice(int choice) {
  Platform& p = platform();
  p.checkMenuItem(IDM_PRIORITY_HIGH, false);
  p.checkMenuItem(IDM_PRIORITY_NORMAL, false);
  p.checkMenuItem(IDM_PRIORITY_LOW, false);
  if (choice < 1 || choice > 3) return;
  p.checkMenuItem(priorityItemId(choice), true);
  settings.priority = choice;
}

void playClick() {
  if (settings.sound) platform().playClickSound();
}

void runCommand(int id) {
  const PlayerItem player = playerOfItem(id);
  if (player.side != 0) {
    setPlayerType(player.side, player.type);
    return;
  }
  switch (id) {
    case IDM_NEW_GAME:
      if (thinkingFlag) return;
      settleThinking();
      newGame();
      return;
    case IDM_EXIT:
      platform().closeWindow();
      return;
    case IDM_RESUME:
      resume();
      return;
    case IDM_STOP:
      stop();
      return;
    case IDM_BACK:
      jumpWhenSettled(gameRecord.currentIndex - 1);
      return;
    case IDM_FORWARD:
      jumpWhenSettled(gameRecord.currentIndex + 1);
      return;
    case IDM_FIRST:
      jumpWhenSettled(0);
      return;
    case IDM_LAST:
      jumpWhenSettled(gameRecord.lastIndex);
      return;
    case IDM_GUIDE:
      toggle(IDM_GUIDE, settings.guide);
      gameHooks().redrawGuides();
      return;
    case IDM_SHOW_THINKING:
      toggle(IDM_SHOW_THINKING, settings.showThinking);
      redrawExaminedSquare();
      return;
    case IDM_SOUND:
      toggle(IDM_SOUND, settings.sound);
      return;
    case IDM_SPEED_FAST:
      setAnimationSpeed(1);
      return;
    case IDM_SPEED_NORMAL:
      setAnimationSpeed(2);
      return;
    case IDM_SPEED_SLOW:
      setAnimationSpeed(3);
      return;
    case IDM_PRIORITY_HIGH:
      setPriorityChoice(1);
      return;
    case IDM_PRIORITY_NORMAL:
      setPriorityChoice(2);
      return;
    case IDM_PRIORITY_LOW:
      setPriorityChoice(3);
      return;
    default:
      return;  // not a command of this menu
  }
}

Square keyFocusSquare() {
  return keyFocus;
}

namespace {

bool routeMessage(unsigned message, uintptr_t wParam, intptr_t lParam) {
  switch (message) {
    case MSG_COMMAND:
      runCommand(static_cast<int>(wParam & 0xFFFF));
      return true;
    case MSG_TIMER:
      clockTick();
      return true;
    case MSG_MOVE_READY:
      moveReady();
      return true;
    case MSG_LBUTTONDOWN: {
      const auto bits = static_cast<uintptr_t>(lParam);
      frameSquare(0, 0);  // the mouse has taken over from the keys
      clickBoard(static_cast<uint16_t>(bits & 0xFFFF),
                 static_cast<uint16_t>((bits >> 16) & 0xFFFF));
      return true;
    }
    case MSG_KEYDOWN:
      return keyDown(wParam);
    default:
      return false;
  }
}

}  // namespace

bool dispatchGameMessage(unsigned message, uintptr_t wParam, intptr_t lParam) {
  const bool handled = routeMessage(message, wParam, lParam);
  SpeechText said;
  if (takeAnnouncement(&said)) platform().announce(said.text);
  return handled;
}
