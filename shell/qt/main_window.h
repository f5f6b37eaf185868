// The main window: the menu bar made from the menu table over the board view, fixed in size.
// Creating it starts the game; closing it withdraws the computer and releases the display.
#pragma once

#include <QMainWindow>

class BoardView;
class QtPlatform;

class MainWindow final : public QMainWindow {
 public:
  explicit MainWindow(QtPlatform& platform);
  ~MainWindow() override;

  BoardView* view() const { return view_; }
  // Places the window by the desktop-centring rule: the outer size halved toward zero.
  void centreOnScreen();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildMenu();
  void destroyGame();

  QtPlatform& platform_;
  BoardView* view_;
  bool created_ = false;
};
