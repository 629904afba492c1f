// The Qt widgets behind toolkit objects.
#include "toolkit/QtAccess.h"

#include "toolkit/ControlImpl.h"
#include "toolkit/WindowImpl.h"

QWidget* WidgetOf(const RectControl& control) { return control.impl().widget.data(); }

QMainWindow* WidgetOf(const Window& window) { return window.impl().main.data(); }

QWidget* ClientAreaOf(const Window& window) { return window.impl().client.data(); }
