// Event binding and dispatch: one delegate per control and event, and one
// guarded path through which every event reaches the program.
#include "toolkit/Events.h"

#include <optional>
#include <string>
#include <utility>

#include "toolkit/ControlImpl.h"
#include "toolkit/Controls.h"
#include "toolkit/Runtime.h"

const char* EventName(EventId id) {
  switch (id) {
    case EventId::Action: return "Action";
    case EventId::ValueChanged: return "ValueChanged";
    case EventId::TextChange: return "TextChange";
    case EventId::MouseDown: return "MouseDown";
    case EventId::MouseUp: return "MouseUp";
    case EventId::MouseDrag: return "MouseDrag";
    case EventId::MouseMove: return "MouseMove";
    case EventId::MouseEnter: return "MouseEnter";
    case EventId::MouseExit: return "MouseExit";
    case EventId::Paint: return "Paint";
  }
  return "?";
}

namespace {

enum class Signature { Control, Mouse, MouseDown, Paint };

Signature SignatureOf(EventId id) {
  switch (id) {
    case EventId::MouseUp:
    case EventId::MouseDrag:
    case EventId::MouseMove: return Signature::Mouse;
    case EventId::MouseDown: return Signature::MouseDown;
    case EventId::Paint: return Signature::Paint;
    default: return Signature::Control;
  }
}

bool HasEvent(const RectControl& control, EventId id) {
  if (dynamic_cast<const Canvas*>(&control) != nullptr) {
    return id == EventId::MouseDown || id == EventId::MouseUp || id == EventId::MouseDrag || id == EventId::MouseMove ||
           id == EventId::MouseEnter || id == EventId::MouseExit || id == EventId::Paint;
  }
  if (dynamic_cast<const Label*>(&control) != nullptr) {
    return id == EventId::MouseDown || id == EventId::MouseUp || id == EventId::MouseEnter || id == EventId::MouseExit;
  }
  if (dynamic_cast<const RadioButton*>(&control) != nullptr || dynamic_cast<const CheckBox*>(&control) != nullptr ||
      dynamic_cast<const PushButton*>(&control) != nullptr) {
    return id == EventId::Action;
  }
  if (dynamic_cast<const Slider*>(&control) != nullptr) return id == EventId::ValueChanged;
  if (dynamic_cast<const TextField*>(&control) != nullptr) return id == EventId::TextChange;
  return false;
}

bool mouseUpIsRelease = false;  // while a MouseUp handler runs

template <class D>
void Register(RectControl& control, EventId id, const D& delegate, Signature signature) {
  if (!HasEvent(control, id)) {
    throw ToolkitException(control.GetClassInfo().Name() + " has no event " + EventName(id));
  }
  if (SignatureOf(id) != signature) {
    throw ToolkitException(std::string("the delegate does not fit the event ") + EventName(id));
  }
  control.impl().handlers[id] = AnyDelegate(delegate);
}

// A copy of the bound delegate: a handler may bind anew while it runs.
template <class D>
std::optional<D> Bound(const RectControl& control, EventId id) {
  const ControlImpl& d = control.impl();
  if (d.recordDepth > 0) return std::nullopt;
  auto it = d.handlers.find(id);
  if (it == d.handlers.end()) return std::nullopt;
  if (const D* delegate = std::get_if<D>(&it->second)) return *delegate;
  return std::nullopt;
}

}  // namespace

void RuntimeAddEventHandler(RectControl& control, EventId event, const ControlDelegate& d) {
  Register(control, event, d, Signature::Control);
}
void RuntimeAddEventHandler(RectControl& control, EventId event, const MouseDelegate& d) {
  Register(control, event, d, Signature::Mouse);
}
void RuntimeAddEventHandler(RectControl& control, EventId event, const MouseDownDelegate& d) {
  Register(control, event, d, Signature::MouseDown);
}
void RuntimeAddEventHandler(RectControl& control, EventId event, const PaintDelegate& d) {
  Register(control, event, d, Signature::Paint);
}

bool MouseUpIsRelease() { return mouseUpIsRelease; }

namespace toolkit_detail {

bool RunGuarded(const std::function<void()>& fn) noexcept {
  try {
    fn();
    return true;
  } catch (...) {
    try {
      RuntimeUnhandledException(std::current_exception());
    } catch (...) {
      // The report itself failed: nothing more can be done from here.
    }
    return false;
  }
}

bool HasHandler(const RectControl& control, EventId event) {
  return control.impl().handlers.count(event) != 0;
}

void RaiseEvent(RectControl& control, EventId event) {
  if (auto d = Bound<ControlDelegate>(control, event)) RunGuarded([&] { d->Invoke(control); });
}

void RaiseMouse(RectControl& control, EventId event, int32_t x, int32_t y) {
  if (auto d = Bound<MouseDelegate>(control, event)) RunGuarded([&] { d->Invoke(control, x, y); });
}

void RaiseMouseUp(RectControl& control, int32_t x, int32_t y, bool released) {
  const bool outer = std::exchange(mouseUpIsRelease, released);
  RaiseMouse(control, EventId::MouseUp, x, y);
  mouseUpIsRelease = outer;
}

bool RaiseMouseDown(RectControl& control, int32_t x, int32_t y) {
  bool claimed = false;
  if (auto d = Bound<MouseDownDelegate>(control, EventId::MouseDown)) {
    RunGuarded([&] { claimed = d->Invoke(control, x, y); });
  }
  return claimed;
}

void RaisePaint(RectControl& control, Graphics& g, const std::vector<Rect>& areas) {
  if (auto d = Bound<PaintDelegate>(control, EventId::Paint)) RunGuarded([&] { d->Invoke(control, g, areas); });
}

}  // namespace toolkit_detail
