#include "shell/qt/startup.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QLoggingCategory>
#include <QStringList>
#include <cmath>
#include <string>

#include "shell/menu.h"

namespace {

// "1.5" becomes "2", "0.8" becomes "1"; anything that is not a number stays as it is.
QByteArray wholeFactor(const QByteArray& text) {
  bool ok = false;
  const double factor = text.trimmed().toDouble(&ok);
  if (!ok || !(factor > 0)) return text;
  return QByteArray::number(std::max(1L, std::lround(factor)));
}

// Entries are "factor" (by screen order) or "name=factor".
QByteArray wholeScreenFactors(const QByteArray& list) {
  QList<QByteArray> entries = list.split(';');
  for (QByteArray& entry : entries) {
    const int equals = entry.lastIndexOf('=');
    entry = equals < 0 ? wholeFactor(entry)
                       : entry.left(equals + 1) + wholeFactor(entry.mid(equals + 1));
  }
  return entries.join(';');
}

bool anyFontHas(char32_t c, const QStringList& families) {
  for (const QString& family : families) {
    if (QFontMetrics(QFont(family)).inFontUcs4(c)) return true;
  }
  return false;
}

}  // namespace

void roundScaleFactors() {
  // The environment's rounding policy would override the program's own.
  qunsetenv("QT_SCALE_FACTOR_ROUNDING_POLICY");
  QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
  if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) {
    qputenv("QT_SCALE_FACTOR", wholeFactor(qgetenv("QT_SCALE_FACTOR")));
  }
  if (qEnvironmentVariableIsSet("QT_SCREEN_SCALE_FACTORS")) {
    qputenv("QT_SCREEN_SCALE_FACTORS", wholeScreenFactors(qgetenv("QT_SCREEN_SCALE_FACTORS")));
  }
}

void quietMultimediaLogging() {
  if (qEnvironmentVariableIsSet("QT_LOGGING_RULES")) return;
  // "qt.multimedia*" is the module's own category and every one below it.
  QLoggingCategory::setFilterRules(
      QStringLiteral("qt.multimedia*.debug=false\n"
                     "qt.multimedia*.info=false\n"
                     "qt.multimedia*.warning=false\n"));
}

void skipVideoHardwareSearch() {
  // An empty list names no device type.
  for (const char* name :
       {"QT_FFMPEG_DECODING_HW_DEVICE_TYPES", "QT_FFMPEG_ENCODING_HW_DEVICE_TYPES"}) {
    if (!qEnvironmentVariableIsSet(name)) qputenv(name, QByteArray());
  }
}

QString menuCharactersWithoutGlyphs() {
  // Qt falls back from the menu's font to any other that has a character; the fonts made for
  // Japanese are tried first, being the likely ones.
  const QFontMetrics menu(QApplication::font("QMenu"));
  QStringList families = QFontDatabase::families(QFontDatabase::Japanese);
  families += QFontDatabase::families();
  QString missing;
  for (const MenuEntry& e : MENU_TABLE) {
    if (!e.label) continue;
    for (const char32_t c : QString::fromUtf8(e.label).toUcs4()) {
      const QString text = QString::fromUcs4(&c, 1);
      if (missing.contains(text) || menu.inFontUcs4(c) || anyFontHas(c, families)) continue;
      missing += text;
    }
  }
  return missing;
}
