#pragma once
// Toolkit-internal: what stands behind a window — its QMainWindow, the client
// area that holds the controls, the record's values, the controls it owns and
// its menu handlers.
#include <QMainWindow>
#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QScrollArea>
#include <QSize>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/Color.h"
#include "toolkit/Window.h"

class MenuBar;
class QScreen;
struct WindowImpl;

class ClientAreaWidget : public QWidget {
 public:
  explicit ClientAreaWidget(WindowImpl* owner) : owner(owner) {}
  QSize sizeHint() const override { return hint; }
  QSize minimumSizeHint() const override { return QSize(); }
  WindowImpl* owner;
  QSize hint;

 protected:
  void resizeEvent(QResizeEvent* e) override;
};

// Holds the client area of a window too large for its screen (ScreenFit.cpp).
class ClientScrollArea : public QScrollArea {
 public:
  explicit ClientScrollArea(QWidget* client);
  QSize sizeHint() const override;
};

class MainWindowWidget : public QMainWindow {
 public:
  explicit MainWindowWidget(WindowImpl* owner) : owner(owner) {}
  WindowImpl* owner;

 protected:
  void closeEvent(QCloseEvent* e) override;
  void moveEvent(QMoveEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
};

// Deletes a closed window once control is back in the event loop, so that
// nothing on the stack (the handler that closed it) still uses it.
class WindowReaper : public QObject {
 public:
  explicit WindowReaper(Window* window) : window_(window) {}
  ~WindowReaper() override { delete window_; }
  void Forget() { window_ = nullptr; }

 private:
  Window* window_;
};

struct WindowImpl {
  explicit WindowImpl(Window& owner);
  WindowImpl(const WindowImpl&) = delete;
  WindowImpl& operator=(const WindowImpl&) = delete;

  Window& owner;
  QPointer<MainWindowWidget> main;
  QPointer<ClientAreaWidget> client;
  QPointer<ClientScrollArea> scroll;  // only while the window is too large for its screen
  QPointer<WindowReaper> reaper;

  // The window's record.
  int32_t width = 600, height = 400;
  int32_t minimumWidth = 64, minimumHeight = 64, maximumWidth = 32000, maximumHeight = 32000;
  int32_t type = 0, macProcID = 0, defaultLocation = 0;
  std::string title = "Untitled";
  bool hasCloseButton = true, hasMaximizeButton = true, hasMinimizeButton = true, hasFullScreenButton = false;
  bool resizeable = true, composite = false, fullScreen = false, visible = true;
  bool hasBackgroundColor = false, menuBarVisible = true, liveResize = true;
  Color backgroundColor{255, 255, 255, 0};

  std::vector<std::unique_ptr<RectControl>> controls;  // in the order added
  std::map<std::string, RectControl*> byName;
  std::map<std::string, std::function<bool()>> menuHandlers;

  bool built = false;          // Constructor has run (the toolkit owns the window)
  bool open = false;           // built and not closed
  bool openEventDone = false;  // Event_Open has returned
  bool closing = false;
  bool shownOnce = false;
  bool placing = false;           // shown, the window manager's frame not yet seen
  bool frameCheckQueued = false;
  int laterFrameChecks = 0, framePasses = 0;
  std::string registeredName;  // the class name it is registered under

  void ApplyFrame();
  void ApplySize();
  void ApplyBackground();
  void ShowWindow(bool activate);
  // Screen fitting (ScreenFit.cpp): whether the compositor sizes and places
  // the windows (Wayland); the part of a screen a window may take; the client
  // area moved into a scroll area; the frame margins of this window once
  // shown, else those of `other`; the size that fits the area less the frame
  // (scrolling the client area of a fixed window); a move that keeps the frame
  // in the area; another fitting once the real frame is known.
  static bool SizedByCompositor();
  static QRect RoomOn(const QScreen& screen);
  void WrapInScrollArea();
  QMargins KnownFrameMargins(const QWidget* other) const;
  void FitInto(const QRect& area, const QMargins& frame);
  void MoveInto(const QRect& area, const QMargins& frame, QPoint topLeft);
  void QueueFrameCheck(int delayMs = 0);
  void CloseByUser();
  void RenameControl(RectControl* control, const std::string& name);
  bool AddedBefore(const RectControl* earlier, const RectControl* later) const;
  void ApplyTabOrder();
};

namespace toolkit_detail {

// Whether the window's Open event has returned (its canvases may paint).
bool WindowHasOpened(const Window* window);
// Every built window that is not closed, in the order they were built.
std::vector<Window*> OpenWindows();
// Fills the window's menu bar from the tree (Menu.cpp).
void BuildMenuBar(Window& window, QMainWindow& main, const MenuBar& bar);

}  // namespace toolkit_detail
