// Controls over Qt widgets: the common base of every control, with its
// geometry in window coordinates and its container.
#include "toolkit/Controls.h"

#include <QCursor>
#include <QFont>

#include <algorithm>
#include <cmath>

#include "toolkit/ControlImpl.h"
#include "toolkit/ControlProperties.h"
#include "toolkit/Numeric.h"
#include "toolkit/QtAccess.h"
#include "toolkit/Runtime.h"
#include "toolkit/SystemLook.h"
#include "toolkit/Window.h"
#include "toolkit/WindowImpl.h"

using namespace toolkit_detail;

namespace {

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
