#pragma once
// Toolkit-internal: the press that a canvas or label claims, and its end.
#include <QPoint>

class QEvent;
class QMouseEvent;
class QWidget;
class RectControl;

// Press, drag and release for canvases and labels: a press of the left button
// that the MouseDown handler answers with True is followed by drags (when
// wanted) and exactly one release, wherever the pointer goes meanwhile. Other
// buttons change nothing while it lasts. A press whose release will never
// reach the widget ends with one release at the last known position: at once
// when a modal dialog blocks the window, the window is deactivated or the
// widget hidden; when a popup or another widget took the release, as soon as
// a move or press shows the button up again. Only a release the widget sees
// itself counts as one for MouseUpIsRelease.
struct MouseClaim {
  bool claimed = false;
  QPoint last;  // the last position delivered, in the widget's coordinates
  // False when the handler destroyed the widget.
  bool Press(QWidget* widget, RectControl* control, QMouseEvent* e);
  void Move(RectControl* control, QMouseEvent* e, bool deliverMoves);
  void Release(RectControl* control, QMouseEvent* e);
  // Any event of the widget: those that take the press away end the claim.
  void Notice(RectControl* control, const QEvent* e);
  // Ends the claim, if any, with one MouseUp at the last known position.
  void Lose(RectControl* control, bool released = false);
};
