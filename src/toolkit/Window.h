#pragma once
// Top-level windows. A window is built by Constructor(): it becomes the
// implicit instance of its class name, then the toolkit calls the hooks
// Layout, CreateControls and AddMenuHandlers, raises Open (Event_Open) and
// finally shows the window when its Visible property is True. The canvas of a
// window is never painted before Event_Open has returned.
//
// Ownership: once Constructor() has returned, the toolkit owns the window.
// Closing it (by the user or Close()) raises Close (Event_Close), hides it and
// removes it from the implicit instances at once; the Window object, with its
// controls and widgets, is deleted later from the event loop (deleteLater), so
// a handler may close its own window. Deleting a Window directly (`delete w`,
// for tests) destroys its widgets and controls and unregisters it WITHOUT
// raising Close.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/Controls.h"
#include "toolkit/Object.h"

struct WindowImpl;

class Window : public Object {
 public:
  Window();
  ~Window() override;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  static const ClassInfo& Class();
  const ClassInfo& GetClassInfo() const override { return Class(); }
  // Runtime class name under which the implicit instance is registered,
  // e.g. "Window1.Window1".
  virtual std::string ClassName() const = 0;

  // Builds, opens and (if Visible) shows the window; see above.
  void Constructor();

  // --- hooks called by the toolkit while it builds the window ---
  virtual void Layout() {}
  virtual void CreateControls() {}
  virtual void AddMenuHandlers(Window& w) { (void)w; }
  virtual void Event_Open() {}
  virtual void Event_Close() {}
  // Whether the class handles a window event ("Open", "Close").
  virtual bool IsEventImplemented(const std::string& eventName) const { (void)eventName; return false; }

  // --- building ---
  // A new control of class T for this window, already past its Constructor.
  template <class T>
  T* _New() {
    T* control = new T();
    AdoptNew(control);
    control->Constructor();
    return control;
  }
  // Adds the control to the window under a name (the window owns it).
  void _AddControl(RectControl* control, const std::string& name);
  // The control of that name, or nullptr.
  RectControl* _ControlByName(const std::string& name) const;
  // All controls in the order they were added.
  std::vector<RectControl*> Controls() const;
  // Registers a handler for the menu item of that name while this window exists.
  void _AddMenuHandler(const std::string& itemName, std::function<bool()> handler);
  bool HasMenuHandler(const std::string& itemName) const;
  // Runs the handler registered under itemName: true when one ran, false
  // when there is none. An exception of the handler passes to the caller.
  bool InvokeMenuHandler(const std::string& itemName);

  // --- use ---
  void Show();             // shows it and brings it to the front
  void Close();            // closes it as the user would (Close event)
  void Refresh(bool eraseBackground = true);  // repaint everything later
  bool IsOpen() const;     // built and not yet closed

  // Record properties (see the window's property record).
  int32_t Width() const;
  int32_t Height() const;
  std::string Title() const;
  bool Visible() const;
  bool Resizeable() const;
  bool HasCloseButton() const;
  bool HasMinimizeButton() const;
  bool HasMaximizeButton() const;
  bool HasFullScreenButton() const;
  int32_t Type() const;
  int32_t DefaultLocation() const;
  int32_t MinimumWidth() const;
  int32_t MinimumHeight() const;
  int32_t MaximumWidth() const;
  int32_t MaximumHeight() const;
  bool Composite() const;
  int32_t MacProcID() const;
  bool FullScreen() const;
  bool HasBackgroundColor() const;
  Color BackgroundColor() const;
  bool MenuBarVisible() const;
  bool LiveResize() const;

  WindowImpl& impl() const { return *impl_; }

 private:
  void AdoptNew(RectControl* control);
  std::unique_ptr<WindowImpl> impl_;
};

// The open window registered under that class name, or nullptr.
Window* FindImplicitWindow(const std::string& className);

// Tests only: deletes every window that has been built (open, or closed and
// not yet deleted) as `delete w` would, without raising Close.
void CloseAllWindowsForTesting();
