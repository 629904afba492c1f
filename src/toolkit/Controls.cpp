// Controls over Qt widgets: geometry in window coordinates, containers, the
// per-class widgets and the class records with their declared properties.
#include "toolkit/Controls.h"

#include <QApplication>
#include <QCursor>
#include <QFont>
#include <QGroupBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>

#include <algorithm>
#include <cmath>

#include "toolkit/ControlImpl.h"
#include "toolkit/Numeric.h"
#include "toolkit/PainterGraphics.h"
#include "toolkit/PictureImpl.h"
#include "toolkit/QtAccess.h"
#include "toolkit/QtColor.h"
#include "toolkit/Runtime.h"
#include "toolkit/SystemLook.h"
#include "toolkit/Window.h"
#include "toolkit/WindowImpl.h"

using namespace toolkit_detail;

namespace {

QString ToQ(const std::string& s) { return QString::fromStdString(s); }

// A carriage return, alone or before a line feed, is a line break on screen.
QString DisplayText(const std::string& s) {
  QString text = ToQ(s);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QChar('\r'), QChar('\n'));
  return text;
}

enum class WhenDisabled { StyleColor, SameColor };

// Colours for the active and inactive states; disabled keeps the style's
// unless asked to show the same colour.
void SetPaletteColor(QWidget* w, QPalette::ColorRole role, Color c,
                     WhenDisabled disabled = WhenDisabled::StyleColor) {
  QPalette pal = w->palette();
  pal.setColor(QPalette::Active, role, ToQColor(c));
  pal.setColor(QPalette::Inactive, role, ToQColor(c));
  if (disabled == WhenDisabled::SameColor) pal.setColor(QPalette::Disabled, role, ToQColor(c));
  w->setPalette(pal);
}

Qt::Alignment HorizontalAlignment(int32_t alignment) {
  switch (alignment) {
    case 2: return Qt::AlignHCenter;
    case 3: return Qt::AlignRight;
    default: return Qt::AlignLeft;
  }
}

template <class I>
I& Data(const RectControl& c) {
  return static_cast<I&>(c.impl());
}

template <class W>
W* WidgetAs(const RectControl& c) {
  return static_cast<W*>(c.impl().widget.data());
}

// --- property declarations ---------------------------------------------

template <class T>
T& As(Object& o) {
  T* t = dynamic_cast<T*>(&o);
  if (t == nullptr) throw ToolkitException("property set on an object of another class");
  return *t;
}

template <class T>
PropertyDecl IntProp(const char* name, std::function<void(T&, int32_t)> f) {
  return {name, PropType::Int32, [f](Object& o, const PropertyValue& v) { f(As<T>(o), v.i); }};
}
template <class T>
PropertyDecl BoolProp(const char* name, std::function<void(T&, bool)> f) {
  return {name, PropType::Boolean, [f](Object& o, const PropertyValue& v) { f(As<T>(o), v.b); }};
}
template <class T>
PropertyDecl StringProp(const char* name, std::function<void(T&, const std::string&)> f) {
  return {name, PropType::String, [f](Object& o, const PropertyValue& v) { f(As<T>(o), v.s); }};
}
template <class T>
PropertyDecl ColorProp(const char* name, std::function<void(T&, Color)> f) {
  return {name, PropType::Color, [f](Object& o, const PropertyValue& v) { f(As<T>(o), v.color); }};
}
template <class T>
PropertyDecl SingleProp(const char* name, std::function<void(T&, float)> f) {
  return {name, PropType::Single, [f](Object& o, const PropertyValue& v) { f(As<T>(o), v.f); }};
}
template <class T>
PropertyDecl DoubleProp(const char* name, std::function<void(T&, double)> f) {
  return {name, PropType::Double, [f](Object& o, const PropertyValue& v) { f(As<T>(o), v.d); }};
}
template <class T>
PropertyDecl UInt8Prop(const char* name, std::function<void(T&, uint8_t)> f) {
  return {name, PropType::UInt8, [f](Object& o, const PropertyValue& v) { f(As<T>(o), v.u); }};
}

// The font entries shared by every class that shows text.
std::vector<PropertyDecl> TextProps(std::vector<PropertyDecl> more) {
  auto style = [](RectControl& c, const std::function<void(TextStyle&)>& f) {
    f(c.impl().text);
    c.impl().ApplyFont();
  };
  std::vector<PropertyDecl> props = {
      StringProp<RectControl>("FontName",
                              [style](RectControl& c, const std::string& v) { style(c, [&](TextStyle& t) { t.fontName = v; }); }),
      SingleProp<RectControl>("FontSize", [style](RectControl& c, float v) { style(c, [&](TextStyle& t) { t.fontSize = v; }); }),
      UInt8Prop<RectControl>("FontUnit", [style](RectControl& c, uint8_t v) { style(c, [&](TextStyle& t) { t.fontUnit = v; }); }),
      BoolProp<RectControl>("Bold", [style](RectControl& c, bool v) { style(c, [&](TextStyle& t) { t.bold = v; }); }),
      BoolProp<RectControl>("Italic", [style](RectControl& c, bool v) { style(c, [&](TextStyle& t) { t.italic = v; }); }),
      BoolProp<RectControl>("Underline", [style](RectControl& c, bool v) { style(c, [&](TextStyle& t) { t.underline = v; }); }),
  };
  for (PropertyDecl& d : more) props.push_back(std::move(d));
  return props;
}

// InitialParent: "" puts the control on the window, otherwise into an earlier
// control of the same window. The control keeps its window coordinates.
void SetInitialParent(RectControl& control, const std::string& name) {
  ControlImpl& d = control.impl();
  if (d.window == nullptr) throw ToolkitException("InitialParent: the control belongs to no window");
  RectControl* parent = nullptr;
  if (!name.empty()) {
    parent = d.window->_ControlByName(name);
    if (parent == nullptr || parent == &control || !d.window->impl().AddedBefore(parent, &control)) {
      throw ToolkitException("InitialParent: no earlier control named \"" + name + "\"");
    }
  }
  const int32_t left = control.Left();
  const int32_t top = control.Top();
  d.parent = parent;
  d.initialParent = name;
  control.SetLeft(left);
  control.SetTop(top);
  d.PlaceWidget();
}

void SetName(RectControl& control, const std::string& name) {
  ControlImpl& d = control.impl();
  if (d.window != nullptr) {
    d.window->impl().RenameControl(&control, name);
  } else {
    d.name = name;
  }
}

void InitControl(ControlImpl& d, QWidget* widget, bool takesFocus) {
  d.widget = widget;
  d.takesFocus = takesFocus;
  widget->setAttribute(Qt::WA_DeleteOnClose, false);
  d.ApplyFocusPolicy();
}

}  // namespace

// ---------------------------------------------------------------- ControlImpl

QWidget* ControlImpl::ContainerWidget() const {
  if (parent != nullptr) return parent->impl().widget.data();
  if (window != nullptr) return ClientAreaOf(*window);
  return nullptr;
}

void ControlImpl::PlaceWidget() {
  if (widget == nullptr) return;
  QWidget* container = ContainerWidget();
  if (container == nullptr) return;
  if (widget->parentWidget() != container) widget->setParent(container);
  ApplyGeometry();
  widget->setVisible(visible);
}

void ControlImpl::ApplyGeometry() {
  // A widget without its container yet would be a top-level window: it is
  // placed once it has one.
  if (widget == nullptr || widget->parentWidget() == nullptr) return;
  widget->setGeometry(offsetLeft, offsetTop, std::max(0, width), std::max(0, height));
}

void ControlImpl::ApplyFont() {
  if (widget == nullptr) return;
  // What the record leaves at its default is "System"'s, not the desktop's.
  QFont font = SystemFont();
  if (!text.fontName.empty() && text.fontName != "System") font.setFamily(ToQ(text.fontName));
  if (text.fontSize > 0.0f && std::isfinite(text.fontSize)) {
    const float size = std::min(text.fontSize, 1000.0f);
    if (text.fontUnit == 2) {
      font.setPointSizeF(size);
    } else {
      font.setPixelSize(std::max(1, static_cast<int>(std::lround(size))));
    }
  }
  if (text.bold) font.setBold(true);
  if (text.italic) font.setItalic(true);
  if (text.underline) font.setUnderline(true);
  widget->setFont(font);
}

void ControlImpl::ApplyFocusPolicy() {
  if (widget == nullptr) return;
  widget->setFocusPolicy(!takesFocus ? Qt::NoFocus : tabStop ? Qt::StrongFocus : Qt::ClickFocus);
}

// ---------------------------------------------------------------- mouse

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

void CanvasWidget::mousePressEvent(QMouseEvent* e) { mouse.Press(this, control, e); }
void CanvasWidget::mouseMoveEvent(QMouseEvent* e) { mouse.Move(control, e, true); }
void CanvasWidget::mouseReleaseEvent(QMouseEvent* e) { mouse.Release(control, e); }
void CanvasWidget::enterEvent(QEnterEvent*) {
  if (control != nullptr) RaiseEvent(*control, EventId::MouseEnter);
}
void CanvasWidget::leaveEvent(QEvent*) {
  if (control != nullptr) RaiseEvent(*control, EventId::MouseExit);
}

LabelWidget::LabelWidget(Label* control) : control(control) {
  setTextFormat(Qt::PlainText);
  setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void LabelWidget::mousePressEvent(QMouseEvent* e) {
  if (!mouse.Press(this, control, e)) return;
  if (textInteractionFlags() != Qt::NoTextInteraction) QLabel::mousePressEvent(e);
  e->accept();
}
void LabelWidget::mouseMoveEvent(QMouseEvent* e) {
  mouse.Move(control, e, false);
  if (textInteractionFlags() != Qt::NoTextInteraction) QLabel::mouseMoveEvent(e);
  e->accept();
}
void LabelWidget::mouseReleaseEvent(QMouseEvent* e) {
  QPointer<QWidget> alive(this);
  mouse.Release(control, e);
  if (alive == nullptr) return;
  if (textInteractionFlags() != Qt::NoTextInteraction) QLabel::mouseReleaseEvent(e);
  e->accept();
}
void LabelWidget::enterEvent(QEnterEvent*) {
  if (control != nullptr) RaiseEvent(*control, EventId::MouseEnter);
}
void LabelWidget::leaveEvent(QEvent*) {
  if (control != nullptr) RaiseEvent(*control, EventId::MouseExit);
}

void TextFieldWidget::focusOutEvent(QFocusEvent* e) {
  if (e->reason() != Qt::MenuBarFocusReason) {
    QLineEdit::focusOutEvent(e);
    return;
  }
  // As for a popup: the selection stays for the menu's command.
  QFocusEvent toMenu(QEvent::FocusOut, Qt::PopupFocusReason);
  QLineEdit::focusOutEvent(&toMenu);
}

void CheckBoxWidget::nextCheckState() {
  const bool wasChecked = checkState() == Qt::Checked;
  setTristate(false);
  setCheckState(wasChecked ? Qt::Unchecked : Qt::Checked);
}

// ---------------------------------------------------------------- RectControl

const ClassInfo& toolkit_detail::ObjectClass() {
  static const ClassInfo info("Object", nullptr, {});
  return info;
}

RectControl::RectControl() : impl_(std::make_unique<ControlImpl>(*this)) {}

RectControl::~RectControl() {
  QWidget* widget = impl_->widget.data();
  impl_->widget.clear();
  if (widget == nullptr) return;
  // Nothing of this control may be reached from the widget any more.
  QObject::disconnect(widget, nullptr, nullptr, nullptr);
  if (auto* w = dynamic_cast<CanvasWidget*>(widget)) w->control = nullptr;
  if (auto* w = dynamic_cast<LabelWidget*>(widget)) w->control = nullptr;
  if (auto* w = dynamic_cast<RectangleWidget*>(widget)) w->control = nullptr;
  delete widget;
}

const ClassInfo& RectControl::Class() {
  static const ClassInfo info(
      "RectControl", &ObjectClass(),
      {
          StringProp<RectControl>("InitialParent", SetInitialParent),
          StringProp<RectControl>("Name", SetName),
          IntProp<RectControl>("Left", [](RectControl& c, int32_t v) { c.SetLeft(v); }),
          IntProp<RectControl>("Top", [](RectControl& c, int32_t v) { c.SetTop(v); }),
          IntProp<RectControl>("Width", [](RectControl& c, int32_t v) { c.SetWidth(v); }),
          IntProp<RectControl>("Height", [](RectControl& c, int32_t v) { c.SetHeight(v); }),
          BoolProp<RectControl>("Visible", [](RectControl& c, bool v) { c.SetVisible(v); }),
          BoolProp<RectControl>("Enabled", [](RectControl& c, bool v) { c.SetEnabled(v); }),
          BoolProp<RectControl>("LockLeft", [](RectControl& c, bool v) { c.impl().lockLeft = v; }),
          BoolProp<RectControl>("LockTop", [](RectControl& c, bool v) { c.impl().lockTop = v; }),
          BoolProp<RectControl>("LockRight", [](RectControl& c, bool v) { c.impl().lockRight = v; }),
          BoolProp<RectControl>("LockBottom", [](RectControl& c, bool v) { c.impl().lockBottom = v; }),
          BoolProp<RectControl>("TabStop",
                                [](RectControl& c, bool v) {
                                  c.impl().tabStop = v;
                                  c.impl().ApplyFocusPolicy();
                                }),
          BoolProp<RectControl>("AllowAutoDeactivate", [](RectControl& c, bool v) { c.impl().allowAutoDeactivate = v; }),
          BoolProp<RectControl>("Transparent", [](RectControl& c, bool v) { c.impl().transparent = v; }),
          IntProp<RectControl>("TabIndex", [](RectControl& c, int32_t v) { c.impl().tabIndex = v; }),
          IntProp<RectControl>("TabPanelIndex", [](RectControl& c, int32_t v) { c.impl().tabPanelIndex = v; }),
          IntProp<RectControl>("Index", [](RectControl& c, int32_t v) { c.impl().index = v; }),
          StringProp<RectControl>("Tooltip",
                                  [](RectControl& c, const std::string& v) {
                                    c.impl().tooltip = v;
                                    if (c.impl().widget) c.impl().widget->setToolTip(ToQ(v));
                                  }),
      });
  return info;
}

void RectControl::Constructor() {}

const std::string& RectControl::Name() const { return impl_->name; }
Window* RectControl::ParentWindow() const { return impl_->window; }
RectControl* RectControl::Parent() const { return impl_->parent; }

int32_t RectControl::Left() const {
  return SatAdd(impl_->parent != nullptr ? impl_->parent->Left() : 0, impl_->offsetLeft);
}
int32_t RectControl::Top() const {
  return SatAdd(impl_->parent != nullptr ? impl_->parent->Top() : 0, impl_->offsetTop);
}
int32_t RectControl::Width() const { return impl_->width; }
int32_t RectControl::Height() const { return impl_->height; }

void RectControl::SetLeft(int32_t v) {
  impl_->offsetLeft = SatSub(v, impl_->parent != nullptr ? impl_->parent->Left() : 0);
  impl_->ApplyGeometry();
}
void RectControl::SetTop(int32_t v) {
  impl_->offsetTop = SatSub(v, impl_->parent != nullptr ? impl_->parent->Top() : 0);
  impl_->ApplyGeometry();
}
void RectControl::SetWidth(int32_t v) {
  impl_->width = std::max(0, v);
  impl_->ApplyGeometry();
}
void RectControl::SetHeight(int32_t v) {
  impl_->height = std::max(0, v);
  impl_->ApplyGeometry();
}

bool RectControl::Visible() const { return impl_->visible; }
void RectControl::SetVisible(bool v) {
  impl_->visible = v;
  if (impl_->widget != nullptr && impl_->widget->parentWidget() != nullptr) impl_->widget->setVisible(v);
}
bool RectControl::Enabled() const { return impl_->enabled; }
void RectControl::SetEnabled(bool v) {
  impl_->enabled = v;
  if (impl_->widget != nullptr) impl_->widget->setEnabled(v);
}
int32_t RectControl::Index() const { return impl_->index; }
int32_t RectControl::TabIndex() const { return impl_->tabIndex; }
const std::string& RectControl::InitialParent() const { return impl_->initialParent; }

const MouseCursor* RectControl::GetMouseCursor() const { return impl_->cursor; }
void RectControl::SetMouseCursor(const MouseCursor* cursor) {
  impl_->cursor = cursor;
  QWidget* w = impl_->widget.data();
  if (w == nullptr) return;
  if (cursor == nullptr) {
    w->unsetCursor();
    return;
  }
  switch (cursor->shape) {
    case MouseCursor::OpenHand: w->setCursor(Qt::OpenHandCursor); break;
    case MouseCursor::PointingHand: w->setCursor(Qt::PointingHandCursor); break;
    case MouseCursor::Arrow:
    default: w->setCursor(Qt::ArrowCursor); break;
  }
}

void RectControl::Refresh(bool) {
  if (impl_->widget != nullptr) impl_->widget->update();
}

void RectControl::BeginPropertyRecord() { ++impl_->recordDepth; }
void RectControl::EndPropertyRecord() {
  if (impl_->recordDepth > 0) --impl_->recordDepth;
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

// ---------------------------------------------------------------- GroupBox

GroupBox::GroupBox() {
  impl_ = std::make_unique<GroupBoxImpl>(*this);
  InitControl(*impl_, new QGroupBox(), false);
}

const ClassInfo& GroupBox::Class() {
  static const ClassInfo info(
      "GroupBox", &RectControl::Class(),
      TextProps({StringProp<GroupBox>("Caption", [](GroupBox& g, const std::string& v) { g.SetCaption(v); })}));
  return info;
}

std::string GroupBox::Caption() const { return WidgetAs<QGroupBox>(*this)->title().toStdString(); }
void GroupBox::SetCaption(const std::string& caption) { WidgetAs<QGroupBox>(*this)->setTitle(ToQ(caption)); }

// ---------------------------------------------------------------- RadioButton

RadioButton::RadioButton() {
  impl_ = std::make_unique<RadioButtonImpl>(*this);
  auto* button = new QRadioButton();
  InitControl(*impl_, button, true);
  // Only the button that the user turns on reports it; the one switched off
  // by it, and any switch by the program, raise nothing.
  QObject::connect(button, &QAbstractButton::toggled, button, [this](bool on) {
    if (on && !Data<RadioButtonImpl>(*this).programWrite) RaiseEvent(*this, EventId::Action);
  });
}

const ClassInfo& RadioButton::Class() {
  static const ClassInfo info(
      "RadioButton", &RectControl::Class(),
      TextProps({
          StringProp<RadioButton>("Caption", [](RadioButton& r, const std::string& v) { r.SetCaption(v); }),
          BoolProp<RadioButton>("Value", [](RadioButton& r, bool v) { r.SetValue(v); }),
      }));
  return info;
}

std::string RadioButton::Caption() const { return WidgetAs<QRadioButton>(*this)->text().toStdString(); }
void RadioButton::SetCaption(const std::string& caption) { WidgetAs<QRadioButton>(*this)->setText(ToQ(caption)); }
bool RadioButton::Value() const { return WidgetAs<QRadioButton>(*this)->isChecked(); }

void RadioButton::SetValue(bool v) {
  QRadioButton* button = WidgetAs<QRadioButton>(*this);
  RadioButtonImpl& d = Data<RadioButtonImpl>(*this);
  const bool wasProgramWrite = d.programWrite;
  d.programWrite = true;
  if (v) {
    button->setChecked(true);
  } else {
    // Qt keeps the checked button of an exclusive set checked; the program
    // may still turn it off.
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(true);
  }
  d.programWrite = wasProgramWrite;
}

// ---------------------------------------------------------------- Label

Label::Label() {
  impl_ = std::make_unique<LabelImpl>(*this);
  InitControl(*impl_, new LabelWidget(this), false);
}

namespace {
void ApplyLabelAlignment(Label& l) {
  const LabelImpl& d = Data<LabelImpl>(l);
  QLabel* w = WidgetAs<QLabel>(l);
  w->setWordWrap(d.multiline);
  w->setAlignment(HorizontalAlignment(d.alignment) | (d.multiline ? Qt::AlignTop : Qt::AlignVCenter));
}
}  // namespace

const ClassInfo& Label::Class() {
  static const ClassInfo info(
      "Label", &RectControl::Class(),
      TextProps({
          StringProp<Label>("Value", [](Label& l, const std::string& v) { l.SetText(v); }),
          ColorProp<Label>("TextColor",
                           [](Label& l, Color v) {
                             Data<LabelImpl>(l).textColor = v;
                             SetPaletteColor(WidgetAs<QLabel>(l), QPalette::WindowText, v);
                           }),
          IntProp<Label>("TextAlignment",
                         [](Label& l, int32_t v) {
                           Data<LabelImpl>(l).alignment = v;
                           ApplyLabelAlignment(l);
                         }),
          BoolProp<Label>("Multiline",
                          [](Label& l, bool v) {
                            Data<LabelImpl>(l).multiline = v;
                            ApplyLabelAlignment(l);
                          }),
          BoolProp<Label>("Selectable",
                          [](Label& l, bool v) {
                            Data<LabelImpl>(l).selectable = v;
                            WidgetAs<QLabel>(l)->setTextInteractionFlags(v ? Qt::TextSelectableByMouse
                                                                           : Qt::NoTextInteraction);
                          }),
          StringProp<Label>("DataField", [](Label& l, const std::string& v) { Data<LabelImpl>(l).dataField = v; }),
          StringProp<Label>("DataSource", [](Label& l, const std::string& v) { Data<LabelImpl>(l).dataSource = v; }),
      }));
  return info;
}

std::string Label::Text() const { return Data<LabelImpl>(*this).text; }
void Label::SetText(const std::string& text) {
  Data<LabelImpl>(*this).text = text;
  WidgetAs<QLabel>(*this)->setText(DisplayText(text));
}
Color Label::TextColor() const { return Data<LabelImpl>(*this).textColor; }
bool Label::Underline() const { return impl_->text.underline; }
std::string Label::FontName() const { return impl_->text.fontName; }
float Label::FontSize() const { return impl_->text.fontSize; }

// ---------------------------------------------------------------- Slider

namespace {
QSlider::TickPosition TickPosition(int32_t style) {
  switch (style) {
    case 1: return QSlider::TicksAbove;
    case 2: return QSlider::TicksBelow;
    case 3: return QSlider::TicksBothSides;
    default: return QSlider::NoTicks;
  }
}

// Shows the stored range, steps and value without raising anything.
void SyncSlider(const Slider& s) {
  const SliderImpl& d = Data<SliderImpl>(s);
  QSlider* w = WidgetAs<QSlider>(s);
  QSignalBlocker block(w);
  w->setRange(d.minimum, std::max(d.minimum, d.maximum));
  w->setValue(d.value);
  w->setSingleStep(std::max(0, d.lineStep));
  w->setPageStep(std::max(0, d.pageStep));
  w->setTickPosition(TickPosition(d.tickMarkStyle));
  w->setTracking(d.allowLiveScrolling);
}
}  // namespace

Slider::Slider() {
  impl_ = std::make_unique<SliderImpl>(*this);
  auto* slider = new QSlider(Qt::Horizontal);
  InitControl(*impl_, slider, true);
  SyncSlider(*this);
  // Moves by the user; the program's own writes are blocked from here.
  QObject::connect(slider, &QAbstractSlider::valueChanged, slider, [this](int v) {
    SliderImpl& d = Data<SliderImpl>(*this);
    if (v == d.value) return;
    d.value = v;
    RaiseEvent(*this, EventId::ValueChanged);
  });
}

const ClassInfo& Slider::Class() {
  static const ClassInfo info(
      "Slider", &RectControl::Class(),
      {
          BoolProp<Slider>("AllowLiveScrolling",
                           [](Slider& s, bool v) {
                             Data<SliderImpl>(s).allowLiveScrolling = v;
                             WidgetAs<QSlider>(s)->setTracking(v);
                           }),
          IntProp<Slider>("MinimumValue", [](Slider& s, int32_t v) { s.SetMinimumValue(v); }),
          IntProp<Slider>("MaximumValue", [](Slider& s, int32_t v) { s.SetMaximumValue(v); }),
          IntProp<Slider>("Value", [](Slider& s, int32_t v) { s.SetValue(v); }),
          IntProp<Slider>("LineStep",
                          [](Slider& s, int32_t v) {
                            Data<SliderImpl>(s).lineStep = v;
                            WidgetAs<QSlider>(s)->setSingleStep(std::max(0, v));
                          }),
          IntProp<Slider>("PageStep",
                          [](Slider& s, int32_t v) {
                            Data<SliderImpl>(s).pageStep = v;
                            WidgetAs<QSlider>(s)->setPageStep(std::max(0, v));
                          }),
          IntProp<Slider>("TickMarkStyle",
                          [](Slider& s, int32_t v) {
                            Data<SliderImpl>(s).tickMarkStyle = v;
                            WidgetAs<QSlider>(s)->setTickPosition(TickPosition(v));
                          }),
      });
  return info;
}

int32_t Slider::Value() const { return Data<SliderImpl>(*this).value; }
int32_t Slider::MinimumValue() const { return Data<SliderImpl>(*this).minimum; }
int32_t Slider::MaximumValue() const { return Data<SliderImpl>(*this).maximum; }
int32_t Slider::LineStep() const { return Data<SliderImpl>(*this).lineStep; }
int32_t Slider::PageStep() const { return Data<SliderImpl>(*this).pageStep; }
int32_t Slider::TickMarkStyle() const { return Data<SliderImpl>(*this).tickMarkStyle; }
bool Slider::AllowLiveScrolling() const { return Data<SliderImpl>(*this).allowLiveScrolling; }

void Slider::SetValue(int32_t v) {
  SliderImpl& d = Data<SliderImpl>(*this);
  // Inside a record the bounds may still follow: settled at its end.
  if (d.recordDepth > 0) {
    d.value = v;
    return;
  }
  const int32_t clamped = std::clamp(v, d.minimum, d.maximum);
  if (clamped == d.value) return;
  d.value = clamped;
  SyncSlider(*this);
  RaiseEvent(*this, EventId::ValueChanged);
}

void Slider::SetMinimumValue(int32_t v) {
  SliderImpl& d = Data<SliderImpl>(*this);
  d.minimum = v;
  if (d.recordDepth > 0) return;
  if (d.maximum < v) d.maximum = v;
  const int32_t old = d.value;
  d.value = std::clamp(d.value, d.minimum, d.maximum);
  SyncSlider(*this);
  if (d.value != old) RaiseEvent(*this, EventId::ValueChanged);
}

void Slider::SetMaximumValue(int32_t v) {
  SliderImpl& d = Data<SliderImpl>(*this);
  d.maximum = v;
  if (d.recordDepth > 0) return;
  if (d.minimum > v) d.minimum = v;
  const int32_t old = d.value;
  d.value = std::clamp(d.value, d.minimum, d.maximum);
  SyncSlider(*this);
  if (d.value != old) RaiseEvent(*this, EventId::ValueChanged);
}

void Slider::BeginPropertyRecord() { RectControl::BeginPropertyRecord(); }

void Slider::EndPropertyRecord() {
  RectControl::EndPropertyRecord();
  SliderImpl& d = Data<SliderImpl>(*this);
  if (d.recordDepth > 0) return;
  // All entries are in: bounds first, then the value within them.
  if (d.maximum < d.minimum) d.maximum = d.minimum;
  d.value = std::clamp(d.value, d.minimum, d.maximum);
  SyncSlider(*this);
}

// ---------------------------------------------------------------- TextField

TextField::TextField() {
  impl_ = std::make_unique<TextFieldImpl>(*this);
  auto* edit = new TextFieldWidget();
  InitControl(*impl_, edit, true);
  // Every change of the text, typed or written by the program, is reported
  // at once (QLineEdit reports only real changes).
  QObject::connect(edit, &QLineEdit::textChanged, edit, [this] { RaiseEvent(*this, EventId::TextChange); });
}

namespace {
void ApplyTextFieldAlignment(TextField& t) {
  WidgetAs<QLineEdit>(t)->setAlignment(HorizontalAlignment(Data<TextFieldImpl>(t).alignment) | Qt::AlignVCenter);
}
template <class F>
PropertyDecl TextFieldString(const char* name, F member) {
  return StringProp<TextField>(name, [member](TextField& t, const std::string& v) { Data<TextFieldImpl>(t).*member = v; });
}
template <class F>
PropertyDecl TextFieldBool(const char* name, F member) {
  return BoolProp<TextField>(name, [member](TextField& t, bool v) { Data<TextFieldImpl>(t).*member = v; });
}
}  // namespace

const ClassInfo& TextField::Class() {
  static const ClassInfo info(
      "TextField", &RectControl::Class(),
      TextProps({
          StringProp<TextField>("Value", [](TextField& t, const std::string& v) { t.SetText(v); }),
          BoolProp<TextField>("ReadOnly",
                              [](TextField& t, bool v) {
                                Data<TextFieldImpl>(t).readOnly = v;
                                WidgetAs<QLineEdit>(t)->setReadOnly(v);
                              }),
          BoolProp<TextField>("Password",
                              [](TextField& t, bool v) {
                                Data<TextFieldImpl>(t).password = v;
                                WidgetAs<QLineEdit>(t)->setEchoMode(v ? QLineEdit::Password : QLineEdit::Normal);
                              }),
          BoolProp<TextField>("HasBorder",
                              [](TextField& t, bool v) {
                                Data<TextFieldImpl>(t).hasBorder = v;
                                WidgetAs<QLineEdit>(t)->setFrame(v);
                              }),
          TextFieldBool("AllowFocusRing", &TextFieldImpl::allowFocusRing),
          TextFieldBool("AllowTabs", &TextFieldImpl::allowTabs),
          TextFieldBool("AllowSpellChecking", &TextFieldImpl::allowSpellChecking),
          // A disabled field keeps its colours: it still shows a value to
          // be read (only typing and the tab stop go).
          ColorProp<TextField>("BackgroundColor",
                               [](TextField& t, Color v) {
                                 Data<TextFieldImpl>(t).backgroundColor = v;
                                 SetPaletteColor(WidgetAs<QLineEdit>(t), QPalette::Base, v, WhenDisabled::SameColor);
                               }),
          ColorProp<TextField>("TextColor",
                               [](TextField& t, Color v) {
                                 Data<TextFieldImpl>(t).textColor = v;
                                 SetPaletteColor(WidgetAs<QLineEdit>(t), QPalette::Text, v, WhenDisabled::SameColor);
                               }),
          IntProp<TextField>("TextAlignment",
                             [](TextField& t, int32_t v) {
                               Data<TextFieldImpl>(t).alignment = v;
                               ApplyTextFieldAlignment(t);
                             }),
          IntProp<TextField>("MaximumCharactersAllowed",
                             [](TextField& t, int32_t v) {
                               Data<TextFieldImpl>(t).maximumCharactersAllowed = v;
                               // 0 (or less): no limit beyond QLineEdit's own.
                               WidgetAs<QLineEdit>(t)->setMaxLength(v > 0 ? std::min(v, 32767) : 32767);
                             }),
          TextFieldString("Format", &TextFieldImpl::format),
          StringProp<TextField>("Hint",
                                [](TextField& t, const std::string& v) {
                                  Data<TextFieldImpl>(t).hint = v;
                                  WidgetAs<QLineEdit>(t)->setPlaceholderText(ToQ(v));
                                }),
          TextFieldString("ValidationMask", &TextFieldImpl::validationMask),
          TextFieldString("DataField", &TextFieldImpl::dataField),
          TextFieldString("DataSource", &TextFieldImpl::dataSource),
      }));
  return info;
}

std::string TextField::Text() const { return WidgetAs<QLineEdit>(*this)->text().toStdString(); }
void TextField::SetText(const std::string& text) { WidgetAs<QLineEdit>(*this)->setText(ToQ(text)); }
bool TextField::ReadOnly() const { return Data<TextFieldImpl>(*this).readOnly; }

// ---------------------------------------------------------------- CheckBox

CheckBox::CheckBox() {
  impl_ = std::make_unique<CheckBoxImpl>(*this);
  auto* box = new CheckBoxWidget();
  InitControl(*impl_, box, true);
  QObject::connect(box, &QAbstractButton::clicked, box, [this] { RaiseEvent(*this, EventId::Action); });
}

const ClassInfo& CheckBox::Class() {
  static const ClassInfo info(
      "CheckBox", &RectControl::Class(),
      TextProps({
          StringProp<CheckBox>("Caption", [](CheckBox& c, const std::string& v) { c.SetCaption(v); }),
          BoolProp<CheckBox>("Value", [](CheckBox& c, bool v) { c.SetValue(v); }),
          IntProp<CheckBox>("VisualState",
                            [](CheckBox& c, int32_t v) {
                              QCheckBox* w = WidgetAs<QCheckBox>(c);
                              w->setTristate(v == 2);
                              w->setCheckState(v == 2 ? Qt::PartiallyChecked : v == 1 ? Qt::Checked : Qt::Unchecked);
                            }),
          StringProp<CheckBox>("DataField", [](CheckBox& c, const std::string& v) { Data<CheckBoxImpl>(c).dataField = v; }),
          StringProp<CheckBox>("DataSource",
                               [](CheckBox& c, const std::string& v) { Data<CheckBoxImpl>(c).dataSource = v; }),
      }));
  return info;
}

std::string CheckBox::Caption() const { return WidgetAs<QCheckBox>(*this)->text().toStdString(); }
void CheckBox::SetCaption(const std::string& caption) { WidgetAs<QCheckBox>(*this)->setText(ToQ(caption)); }
bool CheckBox::Value() const { return WidgetAs<QCheckBox>(*this)->checkState() == Qt::Checked; }
void CheckBox::SetValue(bool v) {
  QCheckBox* w = WidgetAs<QCheckBox>(*this);
  w->setTristate(false);
  w->setCheckState(v ? Qt::Checked : Qt::Unchecked);
}

// ---------------------------------------------------------------- PushButton

PushButton::PushButton() {
  impl_ = std::make_unique<PushButtonImpl>(*this);
  auto* button = new QPushButton();
  button->setAutoDefault(false);
  InitControl(*impl_, button, true);
  QObject::connect(button, &QAbstractButton::clicked, button, [this] { RaiseEvent(*this, EventId::Action); });
}

const ClassInfo& PushButton::Class() {
  static const ClassInfo info(
      "PushButton", &RectControl::Class(),
      TextProps({
          StringProp<PushButton>("Caption", [](PushButton& p, const std::string& v) { p.SetCaption(v); }),
          BoolProp<PushButton>("Default",
                               [](PushButton& p, bool v) {
                                 Data<PushButtonImpl>(p).isDefault = v;
                                 WidgetAs<QPushButton>(p)->setDefault(v);
                               }),
          BoolProp<PushButton>("Cancel", [](PushButton& p, bool v) { Data<PushButtonImpl>(p).isCancel = v; }),
          IntProp<PushButton>("MacButtonStyle",
                              [](PushButton& p, int32_t v) { Data<PushButtonImpl>(p).macButtonStyle = v; }),
      }));
  return info;
}

std::string PushButton::Caption() const { return WidgetAs<QPushButton>(*this)->text().toStdString(); }
void PushButton::SetCaption(const std::string& caption) { WidgetAs<QPushButton>(*this)->setText(ToQ(caption)); }
