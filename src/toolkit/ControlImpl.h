#pragma once
// Toolkit-internal: what stands behind a control — its Qt widget, the values
// its property record and the program have set, and its event bindings.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QWidget>

#include <climits>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "toolkit/Color.h"
#include "toolkit/Controls.h"
#include "toolkit/Events.h"
#include "toolkit/MouseClaim.h"

class QMouseEvent;

using AnyDelegate = std::variant<ControlDelegate, MouseDelegate, MouseDownDelegate, PaintDelegate>;

struct TextStyle {
  std::string fontName = "System";
  float fontSize = 0.0f;  // 0: the application's default size
  uint8_t fontUnit = 0;   // 2: points; anything else: pixels
  bool bold = false, italic = false, underline = false;
};

struct ControlImpl {
  explicit ControlImpl(RectControl& owner) : owner(owner) {}
  virtual ~ControlImpl() = default;
  ControlImpl(const ControlImpl&) = delete;
  ControlImpl& operator=(const ControlImpl&) = delete;

  RectControl& owner;
  Window* window = nullptr;
  RectControl* parent = nullptr;  // the container, nullptr on the window
  std::string name, initialParent, tooltip;
  // Position inside the container: window coordinates minus the container's.
  int32_t offsetLeft = 0, offsetTop = 0;
  int32_t width = 0, height = 0;
  bool visible = true, enabled = true;
  bool lockLeft = false, lockTop = false, lockRight = false, lockBottom = false;
  bool tabStop = true, allowAutoDeactivate = true, transparent = false;
  int32_t tabIndex = 0, tabPanelIndex = 0, index = INT32_MIN;
  const MouseCursor* cursor = nullptr;
  int recordDepth = 0;          // > 0 while a property record is applied
  bool takesFocus = false;      // keyboard focus by tab and click
  QPointer<QWidget> widget;
  std::map<EventId, AnyDelegate> handlers;
  TextStyle text;

  // The widget of the container, or the window's client area.
  QWidget* ContainerWidget() const;
  // Puts the widget into its container at its position, with its visibility.
  void PlaceWidget();
  void ApplyGeometry();
  void ApplyFont();
  void ApplyFocusPolicy();
};

struct RectangleImpl : ControlImpl {
  using ControlImpl::ControlImpl;
  Color fill{255, 255, 255, 0};
  Color topLeft{}, bottomRight{};
  double borderThickness = 1.0;
};

struct CanvasImpl : ControlImpl {
  using ControlImpl::ControlImpl;
  std::shared_ptr<Picture> backdrop;
  bool doubleBuffer = false, allowFocus = false, allowFocusRing = true, allowTabs = false;
};

struct GroupBoxImpl : ControlImpl {
  using ControlImpl::ControlImpl;
};

struct RadioButtonImpl : ControlImpl {
  using ControlImpl::ControlImpl;
  bool programWrite = false;  // the program, not the user, is switching it
};

struct LabelImpl : ControlImpl {
  using ControlImpl::ControlImpl;
  std::string text;  // as set, carriage returns included
  Color textColor{};
  int32_t alignment = 0;
  bool multiline = false, selectable = false;
  std::string dataField, dataSource;
};

struct SliderImpl : ControlImpl {
  using ControlImpl::ControlImpl;
  int32_t value = 0, minimum = 0, maximum = 100;
  int32_t lineStep = 1, pageStep = 20, tickMarkStyle = 0;
  bool allowLiveScrolling = true;
};

struct TextFieldImpl : ControlImpl {
  using ControlImpl::ControlImpl;
  bool readOnly = false, password = false, hasBorder = true, allowFocusRing = true, allowTabs = false,
       allowSpellChecking = false;
  Color backgroundColor{255, 255, 255, 0}, textColor{};
  int32_t alignment = 0, maximumCharactersAllowed = 0;
  std::string format, hint, validationMask, dataField, dataSource;
};

struct CheckBoxImpl : ControlImpl {
  using ControlImpl::ControlImpl;
  std::string dataField, dataSource;
};

struct PushButtonImpl : ControlImpl {
  using ControlImpl::ControlImpl;
  bool isDefault = false, isCancel = false;
  int32_t macButtonStyle = 0;
};

// --- widgets with behaviour of their own --------------------------------

class RectangleWidget : public QWidget {
 public:
  explicit RectangleWidget(Rectangle* control) : control(control) {}
  Rectangle* control;

 protected:
  void paintEvent(QPaintEvent* e) override;
};

class CanvasWidget : public QWidget {
 public:
  explicit CanvasWidget(Canvas* control);
  Canvas* control;
  MouseClaim mouse;

 protected:
  bool event(QEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void enterEvent(QEnterEvent* e) override;
  void leaveEvent(QEvent* e) override;
};

class LabelWidget : public QLabel {
 public:
  explicit LabelWidget(Label* control);
  Label* control;
  MouseClaim mouse;

 protected:
  bool event(QEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void enterEvent(QEnterEvent* e) override;
  void leaveEvent(QEvent* e) override;
};

// A text field that keeps its selection while the menu bar has the keyboard
// (Alt, F10), so that the Edit menu chosen from the keyboard acts on it as the
// mouse and the shortcuts do.
class TextFieldWidget : public QLineEdit {
 public:
  using QLineEdit::QLineEdit;

 protected:
  void focusOutEvent(QFocusEvent* e) override;
};

// A click always leads to plain checked / unchecked, also from the mixed state.
class CheckBoxWidget : public QCheckBox {
 public:
  using QCheckBox::QCheckBox;

 protected:
  void nextCheckState() override;
};

// --- event dispatch (Events.cpp) -----------------------------------------
namespace toolkit_detail {

// Runs fn. An exception escaping it goes to RuntimeUnhandledException and
// never further; returns false then.
bool RunGuarded(const std::function<void()>& fn) noexcept;

bool HasHandler(const RectControl& control, EventId event);
// Each raises the event on the control's bound delegate, if any; nothing is
// raised while the control's property record is being applied.
void RaiseEvent(RectControl& control, EventId event);
void RaiseMouse(RectControl& control, EventId event, int32_t x, int32_t y);
// MouseUp, with MouseUpIsRelease answering `released` while it runs.
void RaiseMouseUp(RectControl& control, int32_t x, int32_t y, bool released);
bool RaiseMouseDown(RectControl& control, int32_t x, int32_t y);  // False without a handler
void RaisePaint(RectControl& control, Graphics& g, const std::vector<Rect>& areas);

// The common root of the toolkit's class records.
const ClassInfo& ObjectClass();

}  // namespace toolkit_detail
