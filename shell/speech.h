// The texts a screen reader says about the game, built from the game state and the speech
// table (shell/speech_table.def), with no toolkit: every front-end shows the same words.
#pragma once

#define SPEECH_TEXT(name, text) inline constexpr const char name[] = text;
#include "shell/speech_table.def"
#undef SPEECH_TEXT

// One spoken text, UTF-8; built in place, so that play allocates nothing.
struct SpeechText {
  char text[160];
};

// "a1" .. "h8": the column letter of x, the row digit of y; empty off the board.
struct SquareName {
  char text[3];
};
SquareName squareName(int x, int y);
// A square of the shown position and what stands on it: "f5 MopraGET", "f6 空き".
SpeechText squareSpeech(int x, int y);
// "MopraGET f5".
SpeechText moveSpeech(int side, int x, int y);
// "Zarbo パス": side cannot place and the other moves again.
SpeechText passSpeech(int side);
// The end of the game from the disc counts: "MopraGET の勝ち 36 対 28" or "引き分け".
SpeechText resultSpeech();
// The side panel: whose turn ("Zarbo の番", "終局" once neither side can move), a side's
// disc count ("MopraGET 2缶") and clock ("Zarbo 00:01:05").
SpeechText sideToMoveSpeech();
SpeechText discCountSpeech(int side);
SpeechText clockSpeech(int side);

// The turn flow's moves, passes and results as they are drawn, gathered until the window's
// message that caused them has been handled, so that a move and the pass or result it brings
// are said as one announcement.
void noteLastMove(int mode);  // drawLastMove's mode
void noteMessage(int kind);   // drawMessage's kind
// The gathered announcement, emptied; false when nothing was gathered.
bool takeAnnouncement(SpeechText* out);
