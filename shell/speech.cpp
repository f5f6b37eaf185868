#include "shell/speech.h"

#include <cstdio>
#include <cstring>

#include "rules/game.h"
#include "rules/hooks.h"

namespace {

SpeechText pending;  // window's thread only; empty when nothing waits to be said

template <typename... Args>
SpeechText format(const char* text, Args... args) {
  SpeechText out{};
  std::snprintf(out.text, sizeof out.text, text, args...);
  return out;
}

const char* sideName(int side) {
  return side == 1 ? SPEECH_SIDE1 : side == 2 ? SPEECH_SIDE2 : "";
}

const char* counter(int side) {
  return side == 1 ? SPEECH_COUNTER1 : SPEECH_COUNTER2;
}

SpeechText plain(const char* text) {
  return format("%s", text);
}

// Copies text onto the end of to, cut short where to is full.
void appendText(SpeechText& to, const char* text) {
  size_t used = std::strlen(to.text);
  while (*text && used + 1 < sizeof to.text) to.text[used++] = *text++;
  to.text[used] = '\0';
}

void append(const SpeechText& said) {
  if (pending.text[0] != '\0') appendText(pending, SPEECH_SEPARATOR);
  appendText(pending, said.text);
}

}  // namespace

SquareName squareName(int x, int y) {
  SquareName out{};
  if (!isPlayingSquare(x, y)) return out;
  out.text[0] = static_cast<char>('a' + x - 1);
  out.text[1] = static_cast<char>('0' + y);
  return out;
}

SpeechText squareSpeech(int x, int y) {
  if (!isPlayingSquare(x, y)) return SpeechText{};
  const int side = BoardStack[0].at(x, y);
  return format(SPEECH_CELL, squareName(x, y).text, side == 0 ? SPEECH_EMPTY : sideName(side));
}

SpeechText moveSpeech(int side, int x, int y) {
  return format(SPEECH_MOVE, sideName(side), squareName(x, y).text);
}

SpeechText passSpeech(int side) {
  return format(SPEECH_PASS, sideName(side));
}

SpeechText resultSpeech() {
  if (discCounts[1] == discCounts[2]) return plain(SPEECH_DRAW);
  const int winner = discCounts[1] > discCounts[2] ? 1 : 2;
  return format(SPEECH_WIN, sideName(winner), discCounts[winner], discCounts[opponent(winner)]);
}

SpeechText sideToMoveSpeech() {
  // The panel's turn dot is gone at the end; sideToMove then still names a side.
  if (isGameOver(0)) return plain(SPEECH_GAME_OVER);
  return format(SPEECH_TURN, sideName(sideToMove));
}

SpeechText discCountSpeech(int side) {
  if (side != 1 && side != 2) return SpeechText{};
  return format(SPEECH_COUNT, sideName(side), discCounts[side], counter(side));
}

SpeechText clockSpeech(int side) {
  if (side != 1 && side != 2) return SpeechText{};
  const int t = clockSeconds[side] < 0 ? 0 : clockSeconds[side];
  return format(SPEECH_CLOCK, sideName(side), t / 3600, t % 3600 / 60, t % 60);
}

void noteLastMove(int mode) {
  if (mode != lastMoveShow(1) && mode != lastMoveShow(2)) return;
  // Drawn before the record moves on: the move is the one played in the shown position.
  const int index = gameRecord.currentIndex;
  const Square s = squareOf(index >= 0 && index < MAX_RECORD ? gameRecord.moves[index] : 0);
  if (isPlayingSquare(s.x, s.y)) append(moveSpeech(mode, s.x, s.y));
}

void noteMessage(int kind) {
  // A pass is drawn while sideToMove still names the side that cannot place.
  if (kind == MESSAGE_PASS && (sideToMove == 1 || sideToMove == 2)) append(passSpeech(sideToMove));
  if (kind == MESSAGE_RESULT) append(resultSpeech());
}

bool takeAnnouncement(SpeechText* out) {
  if (pending.text[0] == '\0') return false;
  *out = pending;
  pending = SpeechText{};
  return true;
}
