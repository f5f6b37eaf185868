#include "shell/qt/board_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "display/sheets.h"
#include "shell/qt/board_accessible.h"
#include "shell/qt/qt_platform.h"

BoardView::BoardView(QtPlatform& platform, QWidget* parent)
    : QWidget(parent),
      platform_(platform),
      frame_(SCREEN_WIDTH, SCREEN_HEIGHT, QImage::Format_RGB32) {
  setFixedSize(SCREEN_WIDTH, SCREEN_HEIGHT);
  setAttribute(Qt::WA_OpaquePaintEvent);
  // Takes the keys, by click or by tab; Qt draws no focus mark on a widget that paints itself.
  setFocusPolicy(Qt::StrongFocus);
  frame_.fill(Qt::white);
  installBoardAccessibility();
}

void BoardView::paintEvent(QPaintEvent*) {
  // A paint copies the whole back buffer, whatever the region asked for.
  static_assert(sizeof(QRgb) == sizeof(uint32_t), "32-bit pixels");
  if (!platform_.closed()) {
    std::vector<uint32_t> pixels(SCREEN_WIDTH * SCREEN_HEIGHT);
    copyBackBufferRgb32(pixels.data());
    for (int y = 0; y < SCREEN_HEIGHT; ++y) {
      std::copy_n(pixels.data() + y * SCREEN_WIDTH, SCREEN_WIDTH,
                  reinterpret_cast<uint32_t*>(frame_.scanLine(y)));
    }
  }
  QPainter painter(this);
  // On a high-density screen the device pixel ratio is a whole number (see main), and
  // nearest-neighbour scaling keeps every glyph crisp.
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.drawImage(QRect(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT), frame_);
}

void BoardView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPointF p = event->position();
  const auto px = static_cast<uint32_t>(std::clamp(static_cast<int>(std::floor(p.x())), 0, 0xFFFF));
  const auto py = static_cast<uint32_t>(std::clamp(static_cast<int>(std::floor(p.y())), 0, 0xFFFF));
  platform_.dispatch(MSG_LBUTTONDOWN, 0, static_cast<intptr_t>(py << 16 | px));
}

namespace {

// The game's board key for a Qt key, 0 for any other. With Ctrl, Alt or Meta held the key is
// left to the menu bar and its shortcuts.
unsigned boardKeyOf(const QKeyEvent& event) {
  const Qt::KeyboardModifiers held =
      event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  if (held) return 0;
  switch (event.key()) {
    case Qt::Key_Left:
      return KEY_LEFT;
    case Qt::Key_Right:
      return KEY_RIGHT;
    case Qt::Key_Up:
      return KEY_UP;
    case Qt::Key_Down:
      return KEY_DOWN;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      return KEY_PLAY;
    case Qt::Key_Home:
      return KEY_HOME;
    case Qt::Key_End:
      return KEY_END;
    default:
      return 0;
  }
}

}  // namespace

// Held keys arrive again and again as Qt repeats them; each is one key to the game.
void BoardView::keyPressEvent(QKeyEvent* event) {
  const unsigned key = boardKeyOf(*event);
  if (key == 0) {
    QWidget::keyPressEvent(event);
    return;
  }
  platform_.dispatch(MSG_KEYDOWN, key, 0);
}
