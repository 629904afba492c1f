// Start-up and exit of the program, and the application object.
#include "app/App.h"

#include <exception>
#include <memory>
#include <string_view>

#include "app/MenuBar1.h"
#include "diagram/DiagramState.h"
#include "toolkit/Menu.h"
#include "toolkit/Window.h"
#include "windows/Window1.h"

namespace {

// Class records are static data that exist before main; registering a class
// is only a matter of naming it in the start-up list.
void RegisterClass(const ClassInfo& info) { static_cast<void>(info); }
void RegisterClass(std::string_view runtimeName) { static_cast<void>(runtimeName); }

}  // namespace

App::App() = default;
App::~App() = default;

const ClassInfo& App::Class() {
  static const ClassInfo info("App", &Application::Class(), {});
  return info;
}

void App::Constructor() {}

bool App::IsEventImplemented(const std::string& eventName) const {
  static_cast<void>(eventName);
  return false;
}

void RegisterClassesAndGlobals() {
  RegisterClass(Application::Class());
  RegisterClass(MenuItem::Class());
  RegisterClass(PrefsMenuItem::Class());
  RegisterClass(QuitMenuItem::Class());
  RegisterClass(MenuBar::Class());
  RegisterClass(Window::Class());
  RegisterClass(App::Class());
  InitDiagramDefaults();
  RegisterClass("KoordSys");
  InitMenuBar1Instance();
  RegisterClass(MenuBar1::Class());
  RegisterClass("Thing");
  RegisterClass("Window1.Window1");
  RegisterClass("Window2.Window2");
}

void CreateAppObject() {
  auto app = std::make_shared<App>();
  app->Constructor();
  app->_x_SetVersionData(1, 0, 0, 0, 0, "", "", "");
  app->SetMenuBar(MenuBar1Instance());
  RuntimeRegisterAppObject(app);
  app.reset();
}

void OpenMainWindow() {
  Window1* window = ImplicitWindow1();
  static_cast<void>(window);
}

void StartApplication() {
  try {
    CreateAppObject();
    RunFrameworkInitialization(OpenMainWindow);
    RuntimeRun();
  } catch (...) {
    RuntimeUnhandledException(std::current_exception());
  }
}

void ReleaseGlobals() {
  ReleaseDiagramGlobals();
  ReleaseMenuBar1Instance();
}

int32_t AppMain() {
  RuntimeInit();
  RegisterClassesAndGlobals();
  StartApplication();
  ReleaseGlobals();
  return RuntimeExit();
}
