// Top-level windows over QMainWindow: building in its fixed order, the
// implicit instances, closing and the client area that holds the controls.
#include "toolkit/Window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QMenuBar>
#include <QPalette>
#include <QResizeEvent>
#include <QScreen>

#include <algorithm>
#include <functional>

#include "toolkit/ControlImpl.h"
#include "toolkit/QtColor.h"
#include "toolkit/Runtime.h"
#include "toolkit/SystemLook.h"
#include "toolkit/WindowImpl.h"

using namespace toolkit_detail;

namespace {

struct Registry {
  std::vector<Window*> all;                   // every Window object alive, in creation order
  std::map<std::string, Window*> implicitByName;  // the implicit instance of each class name
};

Registry& Windows() {
  static Registry registry;
  return registry;
}

void RegisterImplicit(Window& window, const std::string& className) {
  window.impl().registeredName = className;
  Windows().implicitByName[className] = &window;
}

// Drops the window as implicit instance; another open window of the same
// class (the latest built) takes its place.
void UnregisterImplicit(Window& window) {
  Registry& r = Windows();
  const std::string& name = window.impl().registeredName;
  auto it = r.implicitByName.find(name);
  if (it == r.implicitByName.end() || it->second != &window) return;
  r.implicitByName.erase(it);
  for (auto w = r.all.rbegin(); w != r.all.rend(); ++w) {
    if (*w != &window && (*w)->impl().open && (*w)->impl().registeredName == name) {
      r.implicitByName[name] = *w;
      break;
    }
  }
}

int ClampSize(int32_t v) { return std::clamp<int32_t>(v, 0, QWIDGETSIZE_MAX); }

}  // namespace

// ---------------------------------------------------------------- widgets

void ClientAreaWidget::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  // A window that the user may resize reports its new client size.
  if (owner != nullptr && owner->resizeable && isVisible()) {
    owner->width = e->size().width();
    owner->height = e->size().height();
  }
}

void MainWindowWidget::closeEvent(QCloseEvent* e) {
  if (owner != nullptr) owner->CloseByUser();
  e->accept();
}

void MainWindowWidget::moveEvent(QMoveEvent* e) {
  QMainWindow::moveEvent(e);
  if (owner != nullptr) owner->QueueFrameCheck();
}

void MainWindowWidget::resizeEvent(QResizeEvent* e) {
  QMainWindow::resizeEvent(e);
  if (owner != nullptr) owner->QueueFrameCheck();
}

// ---------------------------------------------------------------- WindowImpl

WindowImpl::WindowImpl(Window& owner) : owner(owner) {
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
    throw ToolkitException("windows need the toolkit to be initialised (RuntimeInit)");
  }
  main = new MainWindowWidget(this);
  KeepOwnLook(main);
  client = new ClientAreaWidget(this);
  main->setCentralWidget(client);
  ApplyFrame();
  ApplySize();
  main->setWindowTitle(QString::fromStdString(title));
}

void WindowImpl::ApplyFrame() {
  if (main == nullptr) return;
  Qt::WindowFlags flags = Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::CustomizeWindowHint;
  if (hasCloseButton) flags |= Qt::WindowCloseButtonHint;
  if (hasMinimizeButton) flags |= Qt::WindowMinimizeButtonHint;
  if (hasMaximizeButton && resizeable) flags |= Qt::WindowMaximizeButtonHint;
  if (hasFullScreenButton && resizeable) flags |= Qt::WindowFullscreenButtonHint;
  if (main->windowFlags() == flags) return;
  const bool wasVisible = main->isVisible();
  main->setWindowFlags(flags);  // hides a visible window
  if (wasVisible) main->show();
}

void WindowImpl::ApplySize() {
  if (main == nullptr || client == nullptr) return;
  const QSize size(ClampSize(width), ClampSize(height));
  client->hint = size;
  // Under Wayland a fixed window scrolls from the start: the compositor may
  // give it any size.
  if (!resizeable && SizedByCompositor()) WrapInScrollArea();
  if (scroll != nullptr) {
    // A window that scrolls keeps its client area's size fixed; it is
    // fitted to its screen again.
    client->setFixedSize(size);
    scroll->updateGeometry();
    main->layout()->invalidate();
    if (main->isVisible() && main->screen() != nullptr) {
      const QRect area = RoomOn(*main->screen());
      const QMargins frame = KnownFrameMargins(nullptr);
      FitInto(area, frame);
      MoveInto(area, frame, main->frameGeometry().topLeft());
    }
    return;
  }
  if (!resizeable) {
    client->setFixedSize(size);
    main->layout()->setSizeConstraint(QLayout::SetFixedSize);
  } else {
    main->layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
    client->setMinimumSize(ClampSize(minimumWidth), ClampSize(minimumHeight));
    client->setMaximumSize(std::max(ClampSize(maximumWidth), ClampSize(minimumWidth)),
                           std::max(ClampSize(maximumHeight), ClampSize(minimumHeight)));
    client->resize(size);
  }
  client->updateGeometry();
  main->layout()->invalidate();
  if (resizeable) main->resize(main->sizeHint());
}

void WindowImpl::ApplyBackground() {
  if (client == nullptr) return;
  if (hasBackgroundColor) {
    QPalette pal = client->palette();
    pal.setColor(QPalette::Window, ToQColor(backgroundColor));
    client->setPalette(pal);
    client->setAutoFillBackground(true);
  } else {
    client->setPalette(QPalette());
    client->setAutoFillBackground(false);
  }
}

void WindowImpl::ShowWindow(bool activate) {
  if (main == nullptr) return;
  if (!shownOnce) {
    shownOnce = true;
    main->layout()->activate();
    if (resizeable) main->resize(main->sizeHint());
    // 1: over the front window; 2 and 3: centred on the screen.
    QWidget* front = QApplication::activeWindow();
    if (front == main) front = nullptr;
    QScreen* screen = front != nullptr ? front->screen() : QGuiApplication::primaryScreen();
    // Before it is shown, the frame it gets is not known: that of the front
    // window stands in for it, and it is fitted again once shown.
    const QRect available = screen != nullptr ? RoomOn(*screen) : QRect();
    const QMargins frame = KnownFrameMargins(front);
    if (available.isValid()) FitInto(available, frame);
    QRect area;
    if (defaultLocation == 1 && front != nullptr) {
      area = front->frameGeometry();
    } else if ((defaultLocation >= 1 && defaultLocation <= 3) && screen != nullptr) {
      area = available;
    }
    QPoint topLeft = main->pos();
    if (area.isValid()) {
      QRect centred = main->frameGeometry();
      centred.moveCenter(area.center());
      topLeft = QPoint(std::max(centred.left(), 0), std::max(centred.top(), 0));
    }
    // Without a location of its own, the window manager places it, unless
    // it has been fitted to the whole screen.
    if (available.isValid() && (area.isValid() || scroll != nullptr)) {
      MoveInto(available, frame, topLeft);
    } else if (area.isValid()) {
      main->move(topLeft);
    }
    placing = !fullScreen;
  }
  if (fullScreen) {
    main->showFullScreen();
  } else {
    main->setWindowState(main->windowState() & ~Qt::WindowMinimized);
    main->show();
  }
  if (activate) {
    main->raise();
    main->activateWindow();
  }
}

void WindowImpl::CloseByUser() {
  if (!open || closing) return;
  closing = true;
  RunGuarded([this] { owner.Event_Close(); });
  open = false;
  UnregisterImplicit(owner);
  if (main != nullptr) main->hide();
  if (reaper == nullptr) {
    reaper = new WindowReaper(&owner);
    reaper->deleteLater();
  }
}

void WindowImpl::RenameControl(RectControl* control, const std::string& name) {
  ControlImpl& c = control->impl();
  auto current = byName.find(c.name);
  const bool listed = current != byName.end() && current->second == control;
  if (name == c.name && (listed || name.empty())) return;
  if (!name.empty()) {
    auto taken = byName.find(name);
    if (taken != byName.end() && taken->second != control) {
      throw ToolkitException("the window already has a control named \"" + name + "\"");
    }
  }
  if (listed) byName.erase(current);
  c.name = name;
  if (!name.empty()) byName[name] = control;
}

bool WindowImpl::AddedBefore(const RectControl* earlier, const RectControl* later) const {
  for (const auto& c : controls) {
    if (c.get() == later) return false;
    if (c.get() == earlier) return true;
  }
  return false;
}

// Keyboard focus follows TabIndex among the controls of one container, each
// container's contents right after it.
void WindowImpl::ApplyTabOrder() {
  std::vector<QWidget*> chain;
  std::function<void(const RectControl*)> visit = [&](const RectControl* container) {
    std::vector<RectControl*> children;
    for (const auto& c : controls) {
      if (c->impl().parent == container) children.push_back(c.get());
    }
    std::stable_sort(children.begin(), children.end(),
                     [](const RectControl* a, const RectControl* b) { return a->TabIndex() < b->TabIndex(); });
    for (RectControl* child : children) {
      QWidget* w = child->impl().widget.data();
      if (w != nullptr && (w->focusPolicy() & Qt::TabFocus)) chain.push_back(w);
      visit(child);
    }
  };
  visit(nullptr);
  for (size_t i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
}

// ---------------------------------------------------------------- Window

Window::Window() : impl_(std::make_unique<WindowImpl>(*this)) { Windows().all.push_back(this); }

Window::~Window() {
  WindowImpl& d = *impl_;
  if (d.reaper != nullptr) d.reaper->Forget();
  UnregisterImplicit(*this);
  d.open = false;
  auto& all = Windows().all;
  all.erase(std::remove(all.begin(), all.end(), this), all.end());
  // Contents before their containers: the reverse of the order added.
  d.byName.clear();
  while (!d.controls.empty()) d.controls.pop_back();
  if (d.client != nullptr) d.client->owner = nullptr;
  if (d.main != nullptr) {
    d.main->owner = nullptr;
    delete d.main.data();
  }
}

namespace {

template <class F>
PropertyDecl WindowInt(const char* name, F apply) {
  return {name, PropType::Int32, [apply](Object& o, const PropertyValue& v) { apply(dynamic_cast<Window&>(o).impl(), v.i); }};
}
template <class F>
PropertyDecl WindowBool(const char* name, F apply) {
  return {name, PropType::Boolean, [apply](Object& o, const PropertyValue& v) { apply(dynamic_cast<Window&>(o).impl(), v.b); }};
}

}  // namespace

const ClassInfo& Window::Class() {
  static const ClassInfo info(
      "Window", &ObjectClass(),
      {
          WindowInt("Width", [](WindowImpl& d, int32_t v) { d.width = std::max(0, v); d.ApplySize(); }),
          WindowInt("Height", [](WindowImpl& d, int32_t v) { d.height = std::max(0, v); d.ApplySize(); }),
          WindowInt("MinimumWidth", [](WindowImpl& d, int32_t v) { d.minimumWidth = v; d.ApplySize(); }),
          WindowInt("MinimumHeight", [](WindowImpl& d, int32_t v) { d.minimumHeight = v; d.ApplySize(); }),
          WindowInt("MaximumWidth", [](WindowImpl& d, int32_t v) { d.maximumWidth = v; d.ApplySize(); }),
          WindowInt("MaximumHeight", [](WindowImpl& d, int32_t v) { d.maximumHeight = v; d.ApplySize(); }),
          WindowInt("Type", [](WindowImpl& d, int32_t v) { d.type = v; }),
          {"Title", PropType::String,
           [](Object& o, const PropertyValue& v) {
             WindowImpl& d = dynamic_cast<Window&>(o).impl();
             d.title = v.s;
             if (d.main != nullptr) d.main->setWindowTitle(QString::fromStdString(v.s));
           }},
          WindowBool("HasCloseButton", [](WindowImpl& d, bool v) { d.hasCloseButton = v; d.ApplyFrame(); }),
          WindowBool("HasMaximizeButton", [](WindowImpl& d, bool v) { d.hasMaximizeButton = v; d.ApplyFrame(); }),
          WindowBool("HasMinimizeButton", [](WindowImpl& d, bool v) { d.hasMinimizeButton = v; d.ApplyFrame(); }),
          WindowBool("HasFullScreenButton", [](WindowImpl& d, bool v) { d.hasFullScreenButton = v; d.ApplyFrame(); }),
          WindowBool("Resizeable",
                     [](WindowImpl& d, bool v) {
                       d.resizeable = v;
                       d.ApplyFrame();
                       d.ApplySize();
                     }),
          WindowBool("Composite", [](WindowImpl& d, bool v) { d.composite = v; }),
          WindowInt("MacProcID", [](WindowImpl& d, int32_t v) { d.macProcID = v; }),
          WindowBool("FullScreen", [](WindowImpl& d, bool v) { d.fullScreen = v; }),
          WindowInt("DefaultLocation", [](WindowImpl& d, int32_t v) { d.defaultLocation = v; }),
          WindowBool("Visible",
                     [](WindowImpl& d, bool v) {
                       d.visible = v;
                       // Before it is built, Constructor shows it; afterwards at once.
                       if (d.openEventDone && d.open && d.main != nullptr) {
                         if (v) d.ShowWindow(false); else d.main->hide();
                       }
                     }),
          WindowBool("HasBackgroundColor", [](WindowImpl& d, bool v) { d.hasBackgroundColor = v; d.ApplyBackground(); }),
          {"BackgroundColor", PropType::Color,
           [](Object& o, const PropertyValue& v) {
             WindowImpl& d = dynamic_cast<Window&>(o).impl();
             d.backgroundColor = v.color;
             d.ApplyBackground();
           }},
          WindowBool("MenuBarVisible", [](WindowImpl& d, bool v) { d.menuBarVisible = v; }),
          WindowBool("LiveResize", [](WindowImpl& d, bool v) { d.liveResize = v; }),
      });
  return info;
}

void Window::Constructor() {
  WindowImpl& d = *impl_;
  if (d.built) throw ToolkitException("the window has been built already");
  d.built = true;
  d.open = true;
  // Found as the implicit instance from here on, also from its own Open.
  RegisterImplicit(*this, ClassName());
  try {
    Layout();
    CreateControls();
    AddMenuHandlers(*this);
    if (d.menuBarVisible) {
      Application* app = CurrentApplication();
      if (app != nullptr && app->MenuBar() != nullptr && d.main != nullptr) {
        BuildMenuBar(*this, *d.main, *app->MenuBar());
      }
    }
    d.ApplyTabOrder();
    Event_Open();
  } catch (...) {
    // A window that failed to build is nobody's implicit instance, and it
    // stays its creator's to delete.
    d.built = false;
    d.open = false;
    UnregisterImplicit(*this);
    if (d.main != nullptr) d.main->hide();
    throw;
  }
  d.openEventDone = true;
  if (d.open && d.visible) d.ShowWindow(true);
}

void Window::_AddControl(RectControl* control, const std::string& name) {
  if (control == nullptr) throw NilObjectException("NilObjectException: no control to add");
  if (control->impl().window != this) AdoptNew(control);
  impl_->RenameControl(control, name);
}

void Window::AdoptNew(RectControl* control) {
  if (control == nullptr) throw NilObjectException("NilObjectException: no control to add");
  ControlImpl& c = control->impl();
  if (c.window == this) return;
  if (c.window != nullptr) throw ToolkitException("the control belongs to another window");
  impl_->controls.emplace_back(control);
  c.window = this;
  c.PlaceWidget();
}

RectControl* Window::_ControlByName(const std::string& name) const {
  auto it = impl_->byName.find(name);
  return it != impl_->byName.end() ? it->second : nullptr;
}

std::vector<RectControl*> Window::Controls() const {
  std::vector<RectControl*> result;
  result.reserve(impl_->controls.size());
  for (const auto& c : impl_->controls) result.push_back(c.get());
  return result;
}

void Window::_AddMenuHandler(const std::string& itemName, std::function<bool()> handler) {
  if (handler) {
    impl_->menuHandlers[itemName] = std::move(handler);
  } else {
    impl_->menuHandlers.erase(itemName);
  }
}

bool Window::HasMenuHandler(const std::string& itemName) const { return impl_->menuHandlers.count(itemName) != 0; }

bool Window::InvokeMenuHandler(const std::string& itemName) {
  auto it = impl_->menuHandlers.find(itemName);
  if (it == impl_->menuHandlers.end()) return false;
  const std::function<bool()> handler = it->second;  // it may register anew while it runs
  handler();
  return true;
}

void Window::Show() {
  WindowImpl& d = *impl_;
  if (!d.open) return;
  d.visible = true;
  d.ShowWindow(true);
}

void Window::Close() { impl_->CloseByUser(); }

void Window::Refresh(bool) {
  // Repainting the window repaints every control in it.
  if (impl_->main != nullptr) impl_->main->update();
}

bool Window::IsOpen() const { return impl_->open; }

int32_t Window::Width() const { return impl_->width; }
int32_t Window::Height() const { return impl_->height; }
std::string Window::Title() const { return impl_->title; }
bool Window::Visible() const { return impl_->visible; }
bool Window::Resizeable() const { return impl_->resizeable; }
bool Window::HasCloseButton() const { return impl_->hasCloseButton; }
bool Window::HasMinimizeButton() const { return impl_->hasMinimizeButton; }
bool Window::HasMaximizeButton() const { return impl_->hasMaximizeButton; }
bool Window::HasFullScreenButton() const { return impl_->hasFullScreenButton; }
int32_t Window::Type() const { return impl_->type; }
int32_t Window::DefaultLocation() const { return impl_->defaultLocation; }
int32_t Window::MinimumWidth() const { return impl_->minimumWidth; }
int32_t Window::MinimumHeight() const { return impl_->minimumHeight; }
int32_t Window::MaximumWidth() const { return impl_->maximumWidth; }
int32_t Window::MaximumHeight() const { return impl_->maximumHeight; }
bool Window::Composite() const { return impl_->composite; }
int32_t Window::MacProcID() const { return impl_->macProcID; }
bool Window::FullScreen() const { return impl_->fullScreen; }
bool Window::HasBackgroundColor() const { return impl_->hasBackgroundColor; }
Color Window::BackgroundColor() const { return impl_->backgroundColor; }
bool Window::MenuBarVisible() const { return impl_->menuBarVisible; }
bool Window::LiveResize() const { return impl_->liveResize; }

Window* FindImplicitWindow(const std::string& className) {
  auto& byName = Windows().implicitByName;
  auto it = byName.find(className);
  return it != byName.end() ? it->second : nullptr;
}

void CloseAllWindowsForTesting() {
  std::vector<Window*> built;
  for (Window* w : Windows().all) {
    if (w->impl().built) built.push_back(w);
  }
  for (Window* w : built) delete w;
}

namespace toolkit_detail {

bool WindowHasOpened(const Window* window) { return window != nullptr && window->impl().openEventDone; }

std::vector<Window*> OpenWindows() {
  std::vector<Window*> result;
  for (Window* w : Windows().all) {
    if (w->impl().open) result.push_back(w);
  }
  return result;
}

}  // namespace toolkit_detail
