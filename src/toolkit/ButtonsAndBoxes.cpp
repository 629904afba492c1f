// Buttons and boxes: the radio button, check box and push button, which
// report the user's clicks, and the group box that holds other controls.
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include "toolkit/ControlImpl.h"
#include "toolkit/ControlProperties.h"
#include "toolkit/Controls.h"

using namespace toolkit_detail;

void CheckBoxWidget::nextCheckState() {
  const bool wasChecked = checkState() == Qt::Checked;
  setTristate(false);
  setCheckState(wasChecked ? Qt::Unchecked : Qt::Checked);
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
