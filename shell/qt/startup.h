// What the Qt program settles around the creation of its application object.
#pragma once

#include <QString>

// Before the application object exists: every scale factor Qt will apply becomes a whole
// number (the screens' own, QT_SCALE_FACTOR and each entry of QT_SCREEN_SCALE_FACTORS), so
// that each pixel of the picture stays a square block of screen pixels at every setting.
void roundScaleFactors();

// The characters of the menu labels that neither the menu's font nor any installed font can
// show; empty when the menu can be read.
QString menuCharactersWithoutGlyphs();
