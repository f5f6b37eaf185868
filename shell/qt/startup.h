// What the Qt program settles around the creation of its application object.
#pragma once

#include <QString>

// Before the application object exists: every scale factor Qt will apply becomes a whole
// number (the screens' own, QT_SCALE_FACTOR and each entry of QT_SCREEN_SCALE_FACTORS), so
// that each pixel of the picture stays a square block of screen pixels at every setting.
void roundScaleFactors();

// Before the application object exists: Qt Multimedia's notes for developers (its FFmpeg
// back end's version and libraries, the sound server's connection) stay off a player's
// terminal; its critical errors, and every other category, still print. Nothing changes when
// the user has chosen rules of their own in QT_LOGGING_RULES.
void quietMultimediaLogging();

// Before the application object exists: Qt Multimedia's FFmpeg back end looks for hardware
// video decoders and encoders when it loads, and a video library it asks prints straight to
// standard error where there is none (libvdpau's "Failed to open VDPAU backend"). The game
// only plays its click through an audio stream, so that search is left out, unless the user
// has named the devices in QT_FFMPEG_DECODING_HW_DEVICE_TYPES or _ENCODING_.
void skipVideoHardwareSearch();

// The characters of the menu labels that neither the menu's font nor any installed font can
// show; empty when the menu can be read.
QString menuCharactersWithoutGlyphs();
