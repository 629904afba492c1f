#pragma once
// Toolkit-internal: the press that a canvas or label claims, and its end.
#include <QPoint>

class QMouseEvent;
class QWidget;
class RectControl;

// Press, drag and release for canvases and labels: a press of the left button
// that the MouseDown handler answers with True is followed by drags (when
// wanted) and exactly one release, wherever the pointer goes meanwhile. Other
// buttons change nothing while it lasts. A press whose release will never
// reach the widget (a dialog or popup takes the mouse, the window is
// deactivated or hidden, a release went missing) ends with one release at
// the last known position.
struct MouseClaim {
  bool claimed = false;
  QPoint last;  // the last position delivered, in the widget's coordinates
  // False when the handler destroyed the widget.
  bool Press(QWidget* widget, RectControl* control, QMouseEvent* e);
  void Move(RectControl* control, QMouseEvent* e, bool deliverMoves);
  void Release(RectControl* control, QMouseEvent* e);
  // Ends the claim, if any, with one MouseUp at the last known position.
  void Lose(RectControl* control);
};

// A widget whose claim the toolkit may have to end from outside.
class ClaimingWidget {
 public:
  virtual void LoseClaim() = 0;

 protected:
  ~ClaimingWidget() = default;
};
