// The text controls: the label, a static text that can also take a press,
// and the text field.
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPalette>

#include <algorithm>

#include "toolkit/ControlImpl.h"
#include "toolkit/ControlProperties.h"
#include "toolkit/Controls.h"
#include "toolkit/QtColor.h"

using namespace toolkit_detail;

namespace {

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

}  // namespace

LabelWidget::LabelWidget(Label* control) : control(control) {
  setTextFormat(Qt::PlainText);
  setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

bool LabelWidget::event(QEvent* e) {
  mouse.Notice(control, e);
  return QLabel::event(e);
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
