#pragma once
// Toolkit-internal and for tests: the Qt widgets behind toolkit objects, so
// that tests can drive them with real QTest events.
class QWidget;
class QMainWindow;
class RectControl;
class Window;

// The widget that receives the control's mouse and keyboard events.
QWidget* WidgetOf(const RectControl& control);
// The top-level widget of the window.
QMainWindow* WidgetOf(const Window& window);
// The widget holding the window's client area (controls are placed in its
// coordinates; it is Width() x Height()).
QWidget* ClientAreaOf(const Window& window);
