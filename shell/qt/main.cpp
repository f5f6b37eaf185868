// Velnor Part1 on a Qt desktop.
#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "shell/qt/main_window.h"
#include "shell/qt/qt_platform.h"
#include "shell/qt/startup.h"

int main(int argc, char** argv) {
#if defined(__linux__)
  if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") &&
      !std::getenv("QT_QPA_PLATFORM")) {
    std::fprintf(stderr,
                 "velnor: no display to open a window on; start it from a desktop session, or "
                 "under a virtual one: xvfb-run -a %s\n",
                 argv[0]);
    return 1;
  }
#endif
  Q_INIT_RESOURCE(velnor);
  roundScaleFactors();
  quietMultimediaLogging();
  skipVideoHardwareSearch();
  QApplication app(argc, argv);
  // The desktop entry's name, which Wayland compositors match the window with.
  QGuiApplication::setDesktopFileName(QStringLiteral(VELNOR_APP_ID));
  if (!menuCharactersWithoutGlyphs().isEmpty()) {
    std::fputs(
        "velnor: no installed font has the menu's Japanese characters, so the menu cannot be "
        "read; install one, for example: sudo apt install fonts-noto-cjk\n",
        stderr);
  }
  QtPlatform platform;
  int status = 0;
  {
    MainWindow window(platform);
    window.centreOnScreen();  // before showing, so it never appears elsewhere first
    window.show();
    window.centreOnScreen();  // again, now that the window manager's frame is known
    status = QApplication::exec();
  }
  platform.joinThreads();
  return status;
}
