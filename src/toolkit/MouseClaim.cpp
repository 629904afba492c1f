// Press, drag and release for the controls that claim a press: canvases and
// labels.
#include "toolkit/MouseClaim.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>

#include "toolkit/ControlImpl.h"

using namespace toolkit_detail;

namespace {

// Watches the whole application while a press is claimed, for the ways its
// release can get lost: the release goes to another widget (a popup took the
// mouse), a modal dialog blocks the window, the window is deactivated or the
// widget hidden. There is one pointer, so one claim at a time.
class ClaimWatcher final : public QObject {
 public:
  static ClaimWatcher& Instance() {
    static QPointer<ClaimWatcher> watcher;  // goes with the application object
    if (watcher == nullptr) watcher = new ClaimWatcher(qApp);
    return *watcher;
  }

  void Watch(QWidget* widget, ClaimingWidget* claimant) {
    widget_ = widget;
    claimant_ = claimant;
    if (!installed_) qApp->installEventFilter(this);
    installed_ = true;
  }

  void Forget(const QWidget* widget) {
    if (widget != widget_) return;
    widget_ = nullptr;
    claimant_ = nullptr;
    if (installed_) qApp->removeEventFilter(this);
    installed_ = false;
  }

 protected:
  bool eventFilter(QObject* target, QEvent* e) override {
    if (widget_ == nullptr) {  // the widget went with its claim
      Forget(nullptr);
      return false;
    }
    bool lost = false;
    switch (e->type()) {
      case QEvent::MouseButtonRelease:
        lost = target != widget_ && target->isWidgetType() &&
               static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton;
        break;
      case QEvent::WindowBlocked:
      case QEvent::WindowDeactivate:
        lost = target == widget_ || target == widget_->window();
        break;
      case QEvent::Hide:
        lost = target == widget_ || target == widget_->window();
        break;
      default:
        break;
    }
    if (lost) {
      ClaimingWidget* claimant = claimant_;
      Forget(widget_);
      claimant->LoseClaim();
    }
    return false;
  }

 private:
  using QObject::QObject;
  QPointer<QWidget> widget_;
  ClaimingWidget* claimant_ = nullptr;
  bool installed_ = false;
};

}  // namespace

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
  if (claimed) ClaimWatcher::Instance().Watch(widget, dynamic_cast<ClaimingWidget*>(widget));
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
  Lose(control);
}

void MouseClaim::Lose(RectControl* control) {
  if (!claimed) return;
  claimed = false;
  if (control == nullptr) return;
  ClaimWatcher::Instance().Forget(control->impl().widget.data());
  RaiseMouse(*control, EventId::MouseUp, last.x(), last.y());
}
