#pragma once
// Controls over Qt widgets. Positions (Left, Top) are window coordinates, also
// for a control inside a container; Enabled and Visible of a container reach
// its children. A program write of Slider::SetValue or TextField::SetText
// raises ValueChanged / TextChange before it returns.
#include <cstdint>
#include <memory>
#include <string>

#include "toolkit/Color.h"
#include "toolkit/Events.h"
#include "toolkit/Object.h"

class Window;
class Picture;
class MouseCursor;
struct ControlImpl;  // the toolkit's side: widget, bindings

class RectControl : public Object {
 public:
  ~RectControl() override;
  static const ClassInfo& Class();
  const ClassInfo& GetClassInfo() const override { return Class(); }

  // The toolkit's own set-up of a new control (nothing for the program to do).
  void Constructor();

  const std::string& Name() const;
  Window* ParentWindow() const;
  RectControl* Parent() const;  // the container control, or nullptr on the window

  int32_t Left() const;
  int32_t Top() const;
  int32_t Width() const;
  int32_t Height() const;
  void SetLeft(int32_t v);
  void SetTop(int32_t v);
  void SetWidth(int32_t v);
  void SetHeight(int32_t v);

  bool Visible() const;
  void SetVisible(bool v);
  bool Enabled() const;
  void SetEnabled(bool v);
  int32_t Index() const;
  int32_t TabIndex() const;
  const std::string& InitialParent() const;

  const MouseCursor* GetMouseCursor() const;
  void SetMouseCursor(const MouseCursor* cursor);

  // Asks for a repaint later (a Paint event for a canvas).
  void Refresh(bool eraseBackground = true);

  // While a property record is applied the control raises no events.
  void BeginPropertyRecord() override;
  void EndPropertyRecord() override;

  ControlImpl& impl() const { return *impl_; }

 protected:
  RectControl();
  std::unique_ptr<ControlImpl> impl_;
  friend class Window;
};

class Rectangle : public RectControl {
 public:
  Rectangle();
  static const ClassInfo& Class();
  const ClassInfo& GetClassInfo() const override { return Class(); }
  Color FillColor() const;
  Color TopLeftColor() const;
  Color BottomRightColor() const;
  double BorderThickness() const;
};

class Canvas : public RectControl {
 public:
  Canvas();
  static const ClassInfo& Class();
  const ClassInfo& GetClassInfo() const override { return Class(); }
  std::shared_ptr<Picture> Backdrop() const;
  void SetBackdrop(std::shared_ptr<Picture> picture);
};

class GroupBox : public RectControl {
 public:
  GroupBox();
  static const ClassInfo& Class();
  const ClassInfo& GetClassInfo() const override { return Class(); }
  std::string Caption() const;
  void SetCaption(const std::string& caption);
};

class RadioButton : public RectControl {
 public:
  RadioButton();
  static const ClassInfo& Class();
  const ClassInfo& GetClassInfo() const override { return Class(); }
  std::string Caption() const;
  void SetCaption(const std::string& caption);
  bool Value() const;
  void SetValue(bool v);  // raises no Action
};

// A static text. A carriage return (0x0D) in its text is shown as a line break.
class Label : public RectControl {
 public:
  Label();
  static const ClassInfo& Class();
  const ClassInfo& GetClassInfo() const override { return Class(); }
  std::string Text() const;
  void SetText(const std::string& text);
  Color TextColor() const;
  bool Underline() const;
  std::string FontName() const;
  float FontSize() const;
};

class Slider : public RectControl {
 public:
  Slider();
  static const ClassInfo& Class();
  const ClassInfo& GetClassInfo() const override { return Class(); }
  int32_t Value() const;
  // Clamped into [MinimumValue, MaximumValue]; raises ValueChanged when the
  // value changes, before returning.
  void SetValue(int32_t v);
  int32_t MinimumValue() const;
  int32_t MaximumValue() const;
  void SetMinimumValue(int32_t v);
  void SetMaximumValue(int32_t v);
  int32_t LineStep() const;
  int32_t PageStep() const;
  int32_t TickMarkStyle() const;
  bool AllowLiveScrolling() const;
  void BeginPropertyRecord() override;
  void EndPropertyRecord() override;
};

class TextField : public RectControl {
 public:
  TextField();
  static const ClassInfo& Class();
  const ClassInfo& GetClassInfo() const override { return Class(); }
  std::string Text() const;
  // Raises TextChange when the text changes, before returning.
  void SetText(const std::string& text);
  bool ReadOnly() const;
};

class CheckBox : public RectControl {
 public:
  CheckBox();
  static const ClassInfo& Class();
  const ClassInfo& GetClassInfo() const override { return Class(); }
  std::string Caption() const;
  void SetCaption(const std::string& caption);
  bool Value() const;
  void SetValue(bool v);  // raises no Action
};

class PushButton : public RectControl {
 public:
  PushButton();
  static const ClassInfo& Class();
  const ClassInfo& GetClassInfo() const override { return Class(); }
  std::string Caption() const;
  void SetCaption(const std::string& caption);
};
