#pragma once
// Toolkit-internal, shared by the control classes: their impl and widget
// behind a control, and the declarations of their properties.
#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "toolkit/Color.h"
#include "toolkit/ControlImpl.h"
#include "toolkit/PropertyRecord.h"

namespace toolkit_detail {

inline QString ToQ(const std::string& s) { return QString::fromStdString(s); }

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
inline std::vector<PropertyDecl> TextProps(std::vector<PropertyDecl> more) {
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

inline void InitControl(ControlImpl& d, QWidget* widget, bool takesFocus) {
  d.widget = widget;
  d.takesFocus = takesFocus;
  widget->setAttribute(Qt::WA_DeleteOnClose, false);
  d.ApplyFocusPolicy();
}

}  // namespace toolkit_detail
