#include "shell/qt/click_sound.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QByteArray>
#include <QMediaDevices>
#include <QObject>
#include <cstdio>
#include <memory>

#include "shell/qt/wave.h"

namespace {

// The click with silence after it, and the stream's buffer sized to hold the whole of it, so
// that a single write fills the buffer: sound servers start a stream only once its buffer
// holds enough (PulseAudio's prebuffering), and a server that makes the buffer larger than
// asked for still gets this much at once.
constexpr int PADDED_MS = 100;

}  // namespace

// Owns the output stream; every call arrives queued, on the sound thread, where nothing else
// runs, so the stream starts as soon as it is asked for.
class ClickPlayer final : public QObject {
 public:
  ClickPlayer(const QAudioFormat& format, QByteArray samples)
      : format_(format), samples_(std::move(samples)) {}

  void play() {
    // Without any sound output (no sound server, say) the click is silent, as on a machine
    // without speakers; Qt has said so at start-up.
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    if (output.isNull() || start(output)) return;
    // The server may have gone away and come back since the last click: one more try, on a
    // fresh stream; a second failure is reported once.
    if (start(output) || reported_) return;
    reported_ = true;
    std::fprintf(stderr, "velnor: the click cannot be played: %s\n",
                 sink_->error() == QAudio::OpenError ? "the sound output does not open"
                                                     : "the sound output fails");
  }

 private:
  // A new stream for every click: it cuts off the one before, it goes to whichever output is
  // the default now, and the whole click is handed to the server at once, so that nothing more
  // depends on this thread being scheduled in time.
  bool start(const QAudioDevice& output) {
    sink_ = std::make_unique<QAudioSink>(output, format_);
    sink_->setBufferSize(samples_.size());
    QIODevice* out = sink_->start();
    return out && sink_->error() == QAudio::NoError && out->write(samples_) > 0;
  }

  QAudioFormat format_;
  QByteArray samples_;  // the click and the silence after it
  std::unique_ptr<QAudioSink> sink_;
  bool reported_ = false;
};

ClickSound::ClickSound(const uint8_t* wav, size_t size) {
  WaveSound wave{};
  if (!readWave(wav, size, &wave)) return;
  QAudioFormat format;
  format.setSampleRate(wave.sampleRate);
  format.setChannelCount(wave.channels);
  format.setSampleFormat(wave.bitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
  QByteArray samples(reinterpret_cast<const char*>(wave.samples),
                     static_cast<qsizetype>(wave.size));
  const qsizetype padded = format.bytesForDuration(PADDED_MS * 1000);
  if (samples.size() < padded) {
    samples.append(padded - samples.size(), wave.bitsPerSample == 8 ? '\x80' : '\0');
  }
  player_ = new ClickPlayer(format, std::move(samples));
  player_->moveToThread(&thread_);
  // The player is deleted on its own thread as that thread ends.
  QObject::connect(&thread_, &QThread::finished, player_, &QObject::deleteLater);
  thread_.setObjectName(QStringLiteral("click sound"));
  thread_.start();
  // Qt's sound devices are set up here, on the window's thread where they belong, and the
  // connection to the sound server is made now rather than at the first click.
  QMediaDevices::defaultAudioOutput();
}

ClickSound::~ClickSound() {
  thread_.quit();
  thread_.wait();
}

void ClickSound::play() {
  if (ClickPlayer* player = player_) {
    QMetaObject::invokeMethod(
        player, [player] { player->play(); }, Qt::QueuedConnection);
  }
}
