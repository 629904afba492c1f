// Windows on screens smaller than they are: a fixed window that does not fit
// the screen's available area gets its client area in a scroll area, is
// sized to the area (the user may enlarge it up to its full size) and placed
// inside it. A window that fits is left exactly as it is.
//
// Under Wayland the compositor decides: it places the windows, and a
// maximized, fullscreen or tiled window must take the size it is given. There
// a fixed window always holds its client area in a scroll area and sets no
// limit to its size; beyond the controls is plain window background.
#include <QAbstractSlider>
#include <QApplication>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>

#include "toolkit/WindowImpl.h"

namespace {

// The wheel over a control that would step its value with it (the toolkit's
// slider) scrolls the view instead, unless that control has the keyboard
// focus: turning the wheel to scroll must not change values on the way, as in
// the scrolled panels of other desktop programs. Clicking or tabbing to the
// control lets it take the wheel. Where the view cannot move in the wheel's
// direction, the control keeps it, as in a window that fits.
class WheelToView : public QObject {
 public:
  explicit WheelToView(ClientScrollArea* area) : QObject(area), area_(area) { qApp->installEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Wheel || !watched->isWidgetType()) return false;
    auto* target = static_cast<QWidget*>(watched);
    if (qobject_cast<QAbstractSlider*>(target) == nullptr || target->hasFocus() || area_->widget() == nullptr ||
        !area_->widget()->isAncestorOf(target)) {
      return false;
    }
    // The bar that the view's own wheel handling moves.
    const QPoint delta = static_cast<QWheelEvent*>(event)->angleDelta();
    QScrollBar* bar = std::abs(delta.x()) > std::abs(delta.y()) ? area_->horizontalScrollBar()
                                                                 : area_->verticalScrollBar();
    if (bar->minimum() == bar->maximum()) return false;
    QCoreApplication::sendEvent(bar, event);
    return true;
  }

 private:
  ClientScrollArea* area_;
};

}  // namespace

ClientScrollArea::ClientScrollArea(QWidget* client) {
  setFrameShape(QFrame::NoFrame);
  setFocusPolicy(Qt::NoFocus);  // not a stop of the keyboard's tab chain
  // See-through, as the client area was without it: repainting the window
  // repaints the controls in it (Qt skips what opaque widgets cover).
  viewport()->setAutoFillBackground(false);
  const bool fills = client->autoFillBackground();
  setWidget(client);  // which makes it fill its background
  client->setAutoFillBackground(fills);
  // A control the keyboard focus moves to within the window is scrolled into
  // view, also by the arrow keys among buttons. A control the user clicks is
  // in view already and stays where it is under the pointer, and the focus
  // that comes back with the window's activation leaves the view as it was.
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
    if (old != nullptr && now != nullptr && old->window() == window() && widget() != nullptr &&
        widget()->isAncestorOf(now) && QGuiApplication::mouseButtons() == Qt::NoButton) {
      ensureWidgetVisible(now);
    }
  });
  new WheelToView(this);
}

QSize ClientScrollArea::sizeHint() const { return widget() != nullptr ? widget()->size() : QSize(); }

namespace {

// A Wayland client is told neither where the desktop's panels are nor where
// its window stands: the available area is the whole output. Windows are
// fitted into it less this much room for panels (GNOME's top bar, KDE's
// panel, weston's); their own title bar is known once they are shown.
constexpr int kPanelAllowance = 48;

QMargins FrameMargins(const QWidget& window) {
  const QRect frame = window.frameGeometry(), inner = window.geometry();
  return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
          frame.bottom() - inner.bottom()};
}

}  // namespace

bool WindowImpl::SizedByCompositor() { return QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

QRect WindowImpl::RoomOn(const QScreen& screen) {
  QRect area = screen.availableGeometry();
  if (SizedByCompositor()) area.setSize(area.size().shrunkBy(QMargins(0, 0, kPanelAllowance, kPanelAllowance)));
  return area;
}

void WindowImpl::WrapInScrollArea() {
  if (main == nullptr || client == nullptr || scroll != nullptr) return;
  main->takeCentralWidget();  // keeps the client area, with its controls and focus order
  scroll = new ClientScrollArea(client);
  main->setCentralWidget(scroll);
  main->layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
  main->layout()->activate();
  main->setMinimumSize(main->minimumSizeHint());
  main->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

QMargins WindowImpl::KnownFrameMargins(const QWidget* other) const {
  if (main != nullptr && main->isVisible()) return FrameMargins(*main);
  return other != nullptr ? FrameMargins(*other) : QMargins();
}

void WindowImpl::FitInto(const QRect& area, const QMargins& frame) {
  if (main == nullptr || client == nullptr || fullScreen) return;
  if (main->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) return;
  const QSize room = area.size().shrunkBy(frame);
  if (resizeable) {
    // Its own layout copes with any size down to its minimum.
    if (main->width() > room.width() || main->height() > room.height()) {
      main->resize(main->size().boundedTo(room).expandedTo(main->minimumSize()));
    }
    return;
  }
  const QSize full = main->sizeHint();
  if (scroll == nullptr && full.width() <= room.width() && full.height() <= room.height()) return;
  WrapInScrollArea();
  // Where one direction scrolls, its scroll bar takes room from the other.
  const int barWidth = scroll->verticalScrollBar()->sizeHint().width();
  const int barHeight = scroll->horizontalScrollBar()->sizeHint().height();
  bool scrollsDown = full.height() > room.height(), scrollsAcross = full.width() > room.width();
  if (scrollsDown && !scrollsAcross) scrollsAcross = full.width() + barWidth > room.width();
  if (scrollsAcross && !scrollsDown) scrollsDown = full.height() + barHeight > room.height();
  const QSize largest(full.width() + (scrollsDown ? barWidth : 0), full.height() + (scrollsAcross ? barHeight : 0));
  if (!SizedByCompositor()) main->setMaximumSize(largest.expandedTo(main->minimumSize()));
  main->resize(largest.boundedTo(room).expandedTo(main->minimumSize()));
}

void WindowImpl::MoveInto(const QRect& area, const QMargins& frame, QPoint topLeft) {
  if (main == nullptr || SizedByCompositor()) return;  // the compositor places it
  const QSize outer = main->size().grownBy(frame);
  topLeft.setX(std::max(area.left(), std::min(topLeft.x(), area.right() + 1 - outer.width())));
  topLeft.setY(std::max(area.top(), std::min(topLeft.y(), area.bottom() + 1 - outer.height())));
  main->move(topLeft);  // a window's position is that of its frame
}

// Once shown, the window manager adds its frame: the window is fitted again
// with the frame it really has. A window that the fitting made resizeable may
// get a larger frame for that, so it is looked at once more a little later.
// That done, the user moves it as they like.
void WindowImpl::QueueFrameCheck(int delayMs) {
  if (!placing || main == nullptr) return;
  if (delayMs == 0) {
    if (frameCheckQueued) return;
    frameCheckQueued = true;
  } else {
    ++laterFrameChecks;
  }
  QTimer::singleShot(delayMs, main, [this, delayMs] {
    if (delayMs == 0) {
      frameCheckQueued = false;
    } else {
      --laterFrameChecks;
    }
    if (!placing || main == nullptr || !main->isVisible() || main->screen() == nullptr) return;
    const QMargins frame = FrameMargins(*main);
    if (frame.isNull()) return;  // not framed (yet)
    const QRect area = RoomOn(*main->screen());
    const QRect outer = main->frameGeometry();
    const bool fits = SizedByCompositor() ? outer.width() <= area.width() && outer.height() <= area.height()
                                          : area.contains(outer);
    if (fits) {
      if (laterFrameChecks == 0) placing = false;
      return;
    }
    FitInto(area, frame);
    MoveInto(area, frame, main->frameGeometry().topLeft());
    if (++framePasses < 4) QueueFrameCheck(500);
  });
}
