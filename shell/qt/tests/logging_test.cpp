// Qt Multimedia's notes stay off a player's terminal; its critical errors, other categories and
// the user's own rules are left alone.
#include <gtest/gtest.h>

#include <QLoggingCategory>

#include "shell/qt/startup.h"

namespace {

TEST(QuietMultimedia, SilencesTheModulesNotesButNotItsCriticalErrorsNorOtherCategories) {
  qunsetenv("QT_LOGGING_RULES");
  quietMultimediaLogging();
  for (const char* name : {"qt.multimedia", "qt.multimedia.ffmpeg.libsymbolsresolver",
                           "qt.multimedia.pulseaudio.engine"}) {
    const QLoggingCategory category(name);
    EXPECT_FALSE(category.isInfoEnabled()) << name;
    EXPECT_FALSE(category.isWarningEnabled()) << name;
    EXPECT_TRUE(category.isCriticalEnabled()) << name;
  }
  EXPECT_TRUE(QLoggingCategory("qt.qpa.xcb").isWarningEnabled());
  QLoggingCategory::setFilterRules(QString());
}

TEST(QuietMultimedia, LeavesTheUsersOwnRulesAlone) {
  QLoggingCategory::setFilterRules(QString());
  qputenv("QT_LOGGING_RULES", "qt.qpa.*=false");
  quietMultimediaLogging();
  qunsetenv("QT_LOGGING_RULES");
  EXPECT_TRUE(QLoggingCategory("qt.multimedia.ffmpeg").isWarningEnabled());
}

}  // namespace
