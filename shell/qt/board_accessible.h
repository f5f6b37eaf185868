// The board view as a screen reader meets it through QAccessible (AT-SPI on Linux): a table of
// the 64 squares, each named with what stands on it, and the side panel's turn, counts, clocks
// and last announcement as static texts after them. Every text comes from shell/speech.h.
#pragma once

#include <QString>

class QWidget;

// Gives every board view its accessible table; once, before the first view is shown.
void installBoardAccessibility();

// After each of the game's messages: tells the reader which squares and panel texts have
// changed and where the keys' focus stands, then says the announcement, if any.
void updateBoardAccessible(QWidget* view, const QString& announcement);
