#pragma once
// Toolkit-internal: the one look of the program, the same on every desktop.
// The windows are laid out in fixed pixels and their records give black text
// and white fields, so they keep Qt's own style with its light palette and
// show "System" text in one face and size, whatever style, palette or font
// the desktop hands Qt.
#include <QFont>
#include <QPalette>

class QWidget;

namespace toolkit_detail {

// Qt's own style for the whole application, whatever the desktop asks for.
// Drop-down menus and dialogs keep the desktop's palette, and menus its font:
// they are drawn well in either. Called once the application object exists.
void UseOwnStyle();
// The light palette of Qt's own style, as it shows on a display without a
// desktop theme.
QPalette OwnPalette();
// The window and its controls keep the light palette, also when the
// application's palette changes later.
void KeepOwnLook(QWidget* window);
// What "System" stands for: DejaVu Sans, regular and upright, at 12 pixels.
// Only attributes that a control's record asks for may differ from it.
QFont SystemFont();

}  // namespace toolkit_detail
