// The canvas, which the program paints and which reports the mouse, and the
// rectangle, a filled panel with a border.
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "toolkit/ControlImpl.h"
#include "toolkit/ControlProperties.h"
#include "toolkit/Controls.h"
#include "toolkit/PainterGraphics.h"
#include "toolkit/PictureImpl.h"
#include "toolkit/QtAccess.h"
#include "toolkit/QtColor.h"
#include "toolkit/WindowImpl.h"

using namespace toolkit_detail;

// ---------------------------------------------------------------- widgets

void RectangleWidget::paintEvent(QPaintEvent*) {
  if (control == nullptr) return;
  const RectangleImpl& d = Data<RectangleImpl>(*control);
  QPainter p(this);
  const int w = width(), h = height();
  p.fillRect(0, 0, w, h, ToQColor(d.fill));
  const double t = d.borderThickness;
  const int border = (t > 0.0 && std::isfinite(t)) ? static_cast<int>(std::lround(std::min(t, 1.0e4))) : 0;
  if (border <= 0) return;
  p.fillRect(0, 0, w, border, ToQColor(d.topLeft));
  p.fillRect(0, 0, border, h, ToQColor(d.topLeft));
  p.fillRect(0, h - border, w, border, ToQColor(d.bottomRight));
  p.fillRect(w - border, 0, border, h, ToQColor(d.bottomRight));
}

CanvasWidget::CanvasWidget(Canvas* control) : control(control) { setMouseTracking(true); }

void CanvasWidget::paintEvent(QPaintEvent* e) {
  if (control == nullptr) return;
  const CanvasImpl& d = Data<CanvasImpl>(*control);
  QPainter p(this);
  if (d.backdrop != nullptr && d.backdrop->impl() != nullptr) p.drawImage(QPointF(0, 0), d.backdrop->impl()->image);
  // The program draws only once its window has opened.
  if (!WindowHasOpened(d.window) || !HasHandler(*control, EventId::Paint)) return;
  std::vector<Rect> areas;
  for (const QRect& r : e->region()) areas.push_back(Rect{r.x(), r.y(), r.width(), r.height()});
  PainterGraphics g(p, width(), height());
  RaisePaint(*control, g, areas);
}

bool CanvasWidget::event(QEvent* e) {
  mouse.Notice(control, e);
  return QWidget::event(e);
}
void CanvasWidget::mousePressEvent(QMouseEvent* e) { mouse.Press(this, control, e); }
void CanvasWidget::mouseMoveEvent(QMouseEvent* e) { mouse.Move(control, e, true); }
void CanvasWidget::mouseReleaseEvent(QMouseEvent* e) { mouse.Release(control, e); }
void CanvasWidget::enterEvent(QEnterEvent*) {
  if (control != nullptr) RaiseEvent(*control, EventId::MouseEnter);
}
void CanvasWidget::leaveEvent(QEvent*) {
  if (control != nullptr) RaiseEvent(*control, EventId::MouseExit);
}

// ---------------------------------------------------------------- Rectangle

Rectangle::Rectangle() {
  impl_ = std::make_unique<RectangleImpl>(*this);
  InitControl(*impl_, new RectangleWidget(this), false);
}

const ClassInfo& Rectangle::Class() {
  auto set = [](Rectangle& r, const std::function<void(RectangleImpl&)>& f) {
    f(Data<RectangleImpl>(r));
    r.Refresh();
  };
  static const ClassInfo info(
      "Rectangle", &RectControl::Class(),
      {
          ColorProp<Rectangle>("FillColor", [set](Rectangle& r, Color v) { set(r, [&](RectangleImpl& d) { d.fill = v; }); }),
          ColorProp<Rectangle>("TopLeftColor",
                               [set](Rectangle& r, Color v) { set(r, [&](RectangleImpl& d) { d.topLeft = v; }); }),
          ColorProp<Rectangle>("BottomRightColor",
                               [set](Rectangle& r, Color v) { set(r, [&](RectangleImpl& d) { d.bottomRight = v; }); }),
          DoubleProp<Rectangle>("BorderThickness",
                                [set](Rectangle& r, double v) { set(r, [&](RectangleImpl& d) { d.borderThickness = v; }); }),
      });
  return info;
}

Color Rectangle::FillColor() const { return Data<RectangleImpl>(*this).fill; }
Color Rectangle::TopLeftColor() const { return Data<RectangleImpl>(*this).topLeft; }
Color Rectangle::BottomRightColor() const { return Data<RectangleImpl>(*this).bottomRight; }
double Rectangle::BorderThickness() const { return Data<RectangleImpl>(*this).borderThickness; }

// ---------------------------------------------------------------- Canvas

Canvas::Canvas() {
  impl_ = std::make_unique<CanvasImpl>(*this);
  InitControl(*impl_, new CanvasWidget(this), false);
}

const ClassInfo& Canvas::Class() {
  static const ClassInfo info(
      "Canvas", &RectControl::Class(),
      {
          BoolProp<Canvas>("DoubleBuffer", [](Canvas& c, bool v) { Data<CanvasImpl>(c).doubleBuffer = v; }),
          BoolProp<Canvas>("AllowFocus",
                           [](Canvas& c, bool v) {
                             Data<CanvasImpl>(c).allowFocus = v;
                             c.impl().takesFocus = v;
                             c.impl().ApplyFocusPolicy();
                           }),
          BoolProp<Canvas>("AllowFocusRing", [](Canvas& c, bool v) { Data<CanvasImpl>(c).allowFocusRing = v; }),
          BoolProp<Canvas>("AllowTabs", [](Canvas& c, bool v) { Data<CanvasImpl>(c).allowTabs = v; }),
      });
  return info;
}

std::shared_ptr<Picture> Canvas::Backdrop() const { return Data<CanvasImpl>(*this).backdrop; }
void Canvas::SetBackdrop(std::shared_ptr<Picture> picture) {
  Data<CanvasImpl>(*this).backdrop = std::move(picture);
  Refresh();
}
