#pragma once
// Toolkit-internal: what stands behind a window — its QMainWindow, the client
// area that holds the controls, the record's values, the controls it owns and
// its menu handlers.
#include <QMainWindow>
#include <QObject>
#include <QPointer>
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

class MainWindowWidget : public QMainWindow {
 public:
  explicit MainWindowWidget(WindowImpl* owner) : owner(owner) {}
  WindowImpl* owner;

 protected:
  void closeEvent(QCloseEvent* e) override;
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
  std::string registeredName;  // the class name it is registered under

  void ApplyFrame();
  void ApplySize();
  void ApplyBackground();
  void ShowWindow(bool activate);
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
