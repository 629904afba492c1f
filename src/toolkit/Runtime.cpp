// Application life: the Qt application object, the event loop and quitting,
// the report of exceptions that escape the program, the shared cursor set,
// URL opening and the folder of pictures stored with the application.
#include "toolkit/Runtime.h"

#include "toolkit/PrintClient.h"
#include "toolkit/PrintSystem.h"

#include <cxxabi.h>

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QUrl>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <typeinfo>

#include "toolkit/PrintClient.h"
#include "toolkit/PrintSystem.h"

#include "toolkit/SystemLook.h"

namespace {

// The Qt application. Events that a handler of the program lets an exception
// escape from must not unwind further through Qt's event loop: the exception
// is caught here and reported like any other unhandled exception.
class KestraneApplication : public QApplication {
 public:
  KestraneApplication(int& argc, char** argv) : QApplication(argc, argv) {}

  bool notify(QObject* receiver, QEvent* event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (...) {
      RuntimeUnhandledException(std::current_exception());
      return false;
    }
  }
};

struct RuntimeState {
  std::shared_ptr<Application> app;
  int32_t exitStatus = 0;
  bool quitRequested = false;   // QuitApplication was called (before or during the loop)
  bool failed = false;          // an unhandled exception set the status
  bool loopRunning = false;
  std::function<void(std::exception_ptr)> unhandledHook;
  std::function<void(const std::string&)> urlHook;
  std::string resourcesOverride;
};

RuntimeState& State() {
  static RuntimeState state;
  return state;
}

// A readable name of the exception being handled: its message, or its type
// when it has no message or is no std::exception.
std::string DescribeCurrentException() {
  std::string typeName = "unknown exception";
  if (const std::type_info* type = abi::__cxa_current_exception_type()) {
    int status = 0;
    char* demangled = abi::__cxa_demangle(type->name(), nullptr, nullptr, &status);
    typeName = (status == 0 && demangled != nullptr) ? demangled : type->name();
    std::free(demangled);
  }
  try {
    throw;
  } catch (const std::exception& e) {
    const char* what = e.what();
    if (what != nullptr && *what != '\0') return what;
    return typeName;
  } catch (...) {
    return typeName;
  }
}

std::string ExecutableDir() {
  if (QCoreApplication::instance() != nullptr) return QCoreApplication::applicationDirPath().toStdString();
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return std::filesystem::current_path(ec).string();
  return exe.parent_path().string();
}

}  // namespace

// ---------------------------------------------------------------- application

Application::Application() = default;
Application::~Application() = default;

const ClassInfo& Application::Class() {
  static const ClassInfo info("Application", nullptr, {});
  return info;
}

void Application::SetMenuBar(std::shared_ptr<::MenuBar> bar) { menuBar_ = std::move(bar); }

void Application::_x_SetVersionData(int32_t major, int32_t minor, int32_t bug, int32_t nonRelease,
                                    int32_t stageCode, const std::string& longVersion,
                                    const std::string& shortVersion, const std::string& packageInfo) {
  major_ = major;
  minor_ = minor;
  bug_ = bug;
  nonRelease_ = nonRelease;
  stage_ = stageCode;
  longVersion_ = longVersion;
  shortVersion_ = shortVersion;
  packageInfo_ = packageInfo;
}

bool Application::IsEventImplemented(const std::string& eventName) const {
  (void)eventName;
  return false;
}

void RuntimeInit() {
  if (QCoreApplication::instance() == nullptr) {
    // The program reads no command line: Qt sees only the program name.
    static int argc = 1;
    static char name[] = "kestrane";
    static char* argv[] = {name, nullptr};
    // Kept for the whole process (Qt holds it as its instance): windows and
    // pictures of the program may outlive any scope that could own it.
    new KestraneApplication(argc, argv);
  }
  QCoreApplication::setApplicationName(QStringLiteral("Kestrane Diagram"));
  // Desktops match the program's windows to its launcher entry by this name.
  QGuiApplication::setDesktopFileName(QStringLiteral(KESTRANE_APP_ID));
  // The program's own icon for its windows, at the sizes built in.
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128}) {
    icon.addFile(QStringLiteral(":/icon/%1.png").arg(size), QSize(size, size));
  }
  QApplication::setWindowIcon(icon);
  toolkit_detail::UseOwnStyle();
}

void RuntimeRegisterAppObject(std::shared_ptr<Application> app) { State().app = std::move(app); }

Application* CurrentApplication() { return State().app.get(); }

void RunFrameworkInitialization(const std::function<void()>& callback) {
  if (callback) callback();
}

void RuntimeRun() {
  RuntimeState& s = State();
  // A quit asked for before the loop (during start-up) ends it at once.
  if (s.quitRequested || QCoreApplication::instance() == nullptr) return;
  s.loopRunning = true;
  QApplication::exec();
  s.loopRunning = false;
  // A worker still asking the print system must not be inside Qt while the
  // program's globals go. One that does not stop at once keeps them: the
  // program ends here, with its status.
  if (!EndPrintSystem()) {
    std::fflush(nullptr);
    std::_Exit(s.exitStatus);
  }
}

bool QuitRequested() { return State().quitRequested; }

void QuitApplication(int32_t code) {
  RuntimeState& s = State();
  if (!s.failed) s.exitStatus = code;
  s.quitRequested = true;
  AbandonPrintSystem();  // a wait on the print system ends at once
  // Outside the loop there is nothing to end now; RuntimeRun sees the request.
  if (s.loopRunning) QCoreApplication::exit(s.exitStatus);
}

int32_t RuntimeExit() { return State().exitStatus; }

void RuntimeUnhandledException(std::exception_ptr e) {
  RuntimeState& s = State();
  if (s.unhandledHook) {
    s.unhandledHook(e);
  } else {
    std::string text = "unknown exception";
    if (e) {
      try {
        std::rethrow_exception(e);
      } catch (...) {
        text = DescribeCurrentException();
      }
    }
    std::fprintf(stderr, "Unhandled exception: %s\n", text.c_str());
    std::fflush(stderr);
  }
  s.exitStatus = 1;
  s.failed = true;
  s.quitRequested = true;
  AbandonPrintSystem();
  if (s.loopRunning) QCoreApplication::exit(s.exitStatus);
}

void SetUnhandledExceptionHandlerForTesting(std::function<void(std::exception_ptr)> handler) {
  State().unhandledHook = std::move(handler);
}

void RuntimeResetForTesting() {
  RuntimeState& s = State();
  s.app.reset();
  s.exitStatus = 0;
  s.quitRequested = false;
  s.failed = false;
  ResetPrintClientForTesting();
}

// -------------------------------------------------------------------- cursors

const _Cursors& GetCursors() {
  static const MouseCursor arrow(MouseCursor::Arrow);
  static const MouseCursor openHand(MouseCursor::OpenHand);
  static const MouseCursor pointingHand(MouseCursor::PointingHand);
  static const _Cursors cursors{&arrow, &openHand, &pointingHand};
  return cursors;
}

// ---------------------------------------------------------------- URLs, files

void ShowURL(const std::string& url) {
  RuntimeState& s = State();
  if (s.urlHook) {
    s.urlHook(url);
    return;
  }
  const QUrl target(QString::fromStdString(url), QUrl::TolerantMode);
  if (!target.isValid() || target.isEmpty()) return;
  // Whether the system could open it is not reported.
  (void)QDesktopServices::openUrl(target);
}

void SetShowURLHookForTesting(std::function<void(const std::string&)> hook) {
  State().urlHook = std::move(hook);
}

std::string ResourcesFolder() {
  const RuntimeState& s = State();
  if (!s.resourcesOverride.empty()) return s.resourcesOverride;
  const QString dir = QString::fromStdString(ExecutableDir());
  const QString beside = QDir::cleanPath(dir + QStringLiteral("/resources"));
  if (QFileInfo(beside).isDir()) return beside.toStdString();
  return QDir::cleanPath(dir + QStringLiteral("/../share/kestrane/resources")).toStdString();
}

void SetResourcesFolderForTesting(const std::string& folder) { State().resourcesOverride = folder; }
