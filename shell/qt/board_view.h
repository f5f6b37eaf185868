// The window's client area: shows the back buffer and turns left clicks into the game's
// clicks, both in the 531 x 351 pixels of the game, and the board's keys into the game's.
#pragma once

#include <QImage>
#include <QWidget>

class QtPlatform;

class BoardView final : public QWidget {
 public:
  BoardView(QtPlatform& platform, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QtPlatform& platform_;
  QImage frame_;  // the back buffer in 32-bit colour, refreshed at every paint
};
