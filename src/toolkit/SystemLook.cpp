#include "toolkit/SystemLook.h"

#include <QApplication>
#include <QStyle>
#include <QWidget>

namespace toolkit_detail {

void UseOwnStyle() {
  // A desktop style may paint buttons, boxes and sliders dark whatever the
  // palette says.
  if (QApplication::style()->name() != QLatin1String("fusion")) QApplication::setStyle(QStringLiteral("Fusion"));
}

// Spelled out: under a desktop theme, even a Fusion style of our own answers
// standardPalette() with the desktop's palette.
QPalette OwnPalette() {
  const QColor text = Qt::black;
  const QColor background(239, 239, 239);
  const QColor dark = background.darker(150);
  const QColor shadow = dark.darker(135);
  const QColor mid = background.darker(130);
  const QColor disabledText(190, 190, 190);
  const QColor highlight(48, 140, 198);
  QColor placeholder = text;
  placeholder.setAlpha(128);

  QPalette p(text, background, background.lighter(150), dark, mid, text, Qt::white);
  p.setColor(QPalette::Midlight, mid.lighter(110));
  p.setColor(QPalette::Button, background);
  p.setColor(QPalette::Shadow, shadow);
  p.setColor(QPalette::HighlightedText, Qt::white);
  p.setColor(QPalette::PlaceholderText, placeholder);
  p.setColor(QPalette::Active, QPalette::Highlight, highlight);
  p.setColor(QPalette::Inactive, QPalette::Highlight, highlight);
  p.setColor(QPalette::Disabled, QPalette::Highlight, QColor(145, 145, 145));
  p.setColor(QPalette::Disabled, QPalette::Text, disabledText);
  p.setColor(QPalette::Disabled, QPalette::WindowText, disabledText);
  p.setColor(QPalette::Disabled, QPalette::ButtonText, disabledText);
  p.setColor(QPalette::Disabled, QPalette::Base, background);
  p.setColor(QPalette::Disabled, QPalette::Dark, QColor(209, 209, 209).darker(110));
  p.setColor(QPalette::Disabled, QPalette::Shadow, shadow.lighter(150));
  return p;
}

void KeepOwnLook(QWidget* window) { window->setPalette(OwnPalette()); }

QFont SystemFont() {
  // Every attribute that picks the face is set, so that none comes from the
  // desktop's font; the package depends on the font.
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(12);
  font.setStyleName(QString());
  font.setWeight(QFont::Normal);
  font.setStyle(QFont::StyleNormal);
  font.setStretch(QFont::AnyStretch);
  font.setFixedPitch(false);
  return font;
}

}  // namespace toolkit_detail
