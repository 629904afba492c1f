#pragma once
// Event binding: a delegate joins a window (its target) to one of the
// window's handler methods. Calling a delegate calls the handler on the target
// through a member-function pointer, so an override in a subclass of the
// window is the one that runs.
#include <cstdint>
#include <functional>
#include <vector>

#include "toolkit/Object.h"

class Window;
class RectControl;
class Graphics;

enum class EventId {
  Action,        // RadioButton (chosen by the user), CheckBox, PushButton
  ValueChanged,  // Slider
  TextChange,    // TextField
  MouseDown,     // Canvas, Label: (x, y) -> bool claims the press
  MouseUp,       // Canvas, Label: (x, y), see MouseUpIsRelease
  MouseDrag,     // Canvas: (x, y), button held after a claimed press
  MouseMove,     // Canvas: (x, y), no button held
  MouseEnter,    // Canvas, Label
  MouseExit,     // Canvas, Label
  Paint,         // Canvas: (Graphics&, areas)
};

const char* EventName(EventId id);

struct Rect {
  int32_t left = 0, top = 0, width = 0, height = 0;
};

template <class R, class... Args>
class Delegate {
 public:
  Delegate() = default;

  // Binds handler `fn` of window class W, taking its control as class C.
  template <class W, class C>
  static Delegate Create(W* target, R (W::*fn)(C&, Args...)) {
    Delegate d;
    d.target_ = target;
    d.fn_ = [fn](Window& w, RectControl& control, Args... args) -> R {
      W& window = *RuntimeCheckCast<W>(&w);
      return (window.*fn)(*RuntimeCheckCast<C>(&control), args...);
    };
    return d;
  }

  Window* Target() const { return target_; }
  explicit operator bool() const { return static_cast<bool>(fn_); }

  // Calls the handler with the target as receiver; no target raises
  // NilObjectException.
  R Invoke(RectControl& sender, Args... args) const {
    if (target_ == nullptr || !fn_) throw NilObjectException("NilObjectException: delegate has no target");
    return fn_(*target_, sender, args...);
  }

 private:
  Window* target_ = nullptr;
  std::function<R(Window&, RectControl&, Args...)> fn_;
};

using ControlDelegate = Delegate<void>;                                    // Action, ValueChanged, TextChange, MouseEnter, MouseExit
using MouseDelegate = Delegate<void, int32_t, int32_t>;                   // MouseUp, MouseDrag, MouseMove
using MouseDownDelegate = Delegate<bool, int32_t, int32_t>;               // MouseDown
using PaintDelegate = Delegate<void, Graphics&, const std::vector<Rect>&>;  // Paint

// Registers a delegate for one event of one control. Raises ToolkitException
// when the control's class has no such event or the delegate's signature does
// not fit it. One delegate per control and event; a later one replaces it.
void RuntimeAddEventHandler(RectControl& control, EventId event, const ControlDelegate& d);
void RuntimeAddEventHandler(RectControl& control, EventId event, const MouseDelegate& d);
void RuntimeAddEventHandler(RectControl& control, EventId event, const MouseDownDelegate& d);
void RuntimeAddEventHandler(RectControl& control, EventId event, const PaintDelegate& d);

// Inside a MouseUp handler: True when the control saw the button come up,
// wherever the pointer was. False when the press ended otherwise: its window
// was closed, hidden, deactivated or blocked by a dialog, or a popup took the
// release. Such a press ends a drag but is no click.
bool MouseUpIsRelease();
