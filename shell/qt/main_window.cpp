#include "shell/qt/main_window.h"

#include <QCloseEvent>
#include <QIcon>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <vector>

#include "shell/app.h"
#include "shell/menu.h"
#include "shell/qt/board_view.h"
#include "shell/qt/qt_platform.h"

MainWindow::MainWindow(QtPlatform& platform) : platform_(platform) {
  setWindowTitle(QStringLiteral("Velnor Part1"));
  setWindowIcon(QIcon(QStringLiteral(":/velnor/ICON.ico")));
  // A caption with the system menu, minimise and close; no resizing, no maximising.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  view_ = new BoardView(platform, this);
  setCentralWidget(view_);
  view_->setFocus();  // the board's keys work as soon as the window is active
  buildMenu();
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  platform.setView(view_);
  platform.setWindow(this);
  onCreate(platform);
  created_ = true;
}

MainWindow::~MainWindow() {
  destroyGame();
}

void MainWindow::buildMenu() {
  std::vector<QMenu*> open;
  for (int i = 0; i < MENU_TABLE_SIZE; ++i) {
    const MenuEntry& e = MENU_TABLE[i];
    switch (e.kind) {
      case MenuEntryKind::Popup: {
        const QString label = QString::fromUtf8(e.label);
        open.push_back(open.empty() ? menuBar()->addMenu(label) : open.back()->addMenu(label));
        break;
      }
      case MenuEntryKind::PopupEnd:
        open.pop_back();
        break;
      case MenuEntryKind::Separator:
        open.back()->addSeparator();
        break;
      case MenuEntryKind::Item:
        platform_.addMenuAction(e.id, open.back()->addAction(QString::fromUtf8(e.label)),
                                e.checkedAtStart);
        break;
    }
  }
}

void MainWindow::centreOnScreen() {
  const QRect desktop = screen()->geometry();
  const QSize outer = frameGeometry().size();
  // Integer division rounds toward zero, also for a window wider than the desktop.
  const int x = (desktop.x() + desktop.width() - outer.width()) / 2;
  const int y = (desktop.y() + desktop.height() - outer.height()) / 2;
  move(x, y);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  destroyGame();
  event->accept();
}

void MainWindow::destroyGame() {
  if (!created_) return;
  created_ = false;
  onDestroy();
  platform_.markClosed();
}
