// The click, played on a thread of its own. The window's thread is held for the whole flip
// animation after every move, so a sound that needed its event loop would start only after the
// animation, or be cut off by the next one; the thinking thread must not wait either.
#pragma once

#include <QThread>
#include <cstddef>
#include <cstdint>

class ClickPlayer;

class ClickSound final {
 public:
  // wav: a RIFF WAVE file (PCM) that outlives this object. Nothing plays when it is not one.
  ClickSound(const uint8_t* wav, size_t size);
  ~ClickSound();
  ClickSound(const ClickSound&) = delete;
  ClickSound& operator=(const ClickSound&) = delete;

  // From any thread, returning at once: the click from its start, cutting off one still playing.
  void play();

 private:
  QThread thread_;
  ClickPlayer* player_ = nullptr;  // lives on thread_; null when the sound could not be read
};
