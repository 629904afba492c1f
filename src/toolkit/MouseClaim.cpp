// Press, drag and release for the controls that claim a press: canvases and
// labels.
#include "toolkit/MouseClaim.h"

#include <QMouseEvent>
#include <QPointer>

#include "toolkit/ControlImpl.h"

using namespace toolkit_detail;

bool MouseClaim::Press(QWidget* widget, RectControl* control, QMouseEvent* e) {
  e->accept();
  // Other buttons neither start a claim nor end one.
  if (e->button() != Qt::LeftButton) return true;
  if (claimed) Lose(control);  // its release never came
  if (control == nullptr) return true;
  QPointer<QWidget> alive(widget);
  last = e->position().toPoint();
  const bool answer = RaiseMouseDown(*control, last.x(), last.y());
  if (alive == nullptr) return false;
  claimed = answer;
  return true;
}

void MouseClaim::Move(RectControl* control, QMouseEvent* e, bool deliverMoves) {
  e->accept();
  if (claimed && !(e->buttons() & Qt::LeftButton)) Lose(control);  // released where we could not see it
  if (control == nullptr) return;
  const QPoint p = e->position().toPoint();
  if (claimed) last = p;
  if (!deliverMoves) return;
  if (e->buttons() & Qt::LeftButton) {
    if (claimed) RaiseMouse(*control, EventId::MouseDrag, p.x(), p.y());
  } else if (e->buttons() == Qt::NoButton) {
    RaiseMouse(*control, EventId::MouseMove, p.x(), p.y());
  }
}

void MouseClaim::Release(RectControl* control, QMouseEvent* e) {
  e->accept();
  if (e->button() != Qt::LeftButton || !claimed) return;
  last = e->position().toPoint();
  Lose(control, true);
}

void MouseClaim::Notice(RectControl* control, const QEvent* e) {
  switch (e->type()) {
    case QEvent::WindowBlocked:  // a modal dialog takes the mouse
    case QEvent::WindowDeactivate:
    case QEvent::Hide:  // the widget, or its window, closed or hidden
      Lose(control);
      break;
    default:
      break;
  }
}

void MouseClaim::Lose(RectControl* control, bool released) {
  if (!claimed) return;
  claimed = false;
  if (control == nullptr) return;
  RaiseMouseUp(*control, last.x(), last.y(), released);
}
