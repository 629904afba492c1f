#pragma once
// Application life, quitting, cursors, printing, URLs and the seams that let
// tests answer dialogs and capture URLs without a person.
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>

#include "toolkit/Graphics.h"
#include "toolkit/Menu.h"
#include "toolkit/Object.h"

class Window;

// ---------------------------------------------------------------- application
class Application : public Object {
 public:
  Application();
  ~Application() override;
  static const ClassInfo& Class();
  const ClassInfo& GetClassInfo() const override { return Class(); }

  std::shared_ptr<::MenuBar> MenuBar() const { return menuBar_; }
  void SetMenuBar(std::shared_ptr<::MenuBar> bar);

  virtual void _x_SetVersionData(int32_t major, int32_t minor, int32_t bug, int32_t nonRelease,
                                 int32_t stageCode, const std::string& longVersion,
                                 const std::string& shortVersion, const std::string& packageInfo);
  int32_t MajorVersion() const { return major_; }
  int32_t MinorVersion() const { return minor_; }
  int32_t BugVersion() const { return bug_; }
  int32_t NonReleaseVersion() const { return nonRelease_; }
  int32_t StageCode() const { return stage_; }
  const std::string& LongVersion() const { return longVersion_; }
  const std::string& ShortVersion() const { return shortVersion_; }
  const std::string& PackageInfo() const { return packageInfo_; }

  // Whether the application class handles the named application event.
  virtual bool IsEventImplemented(const std::string& eventName) const;

 private:
  std::shared_ptr<::MenuBar> menuBar_;
  int32_t major_ = 0, minor_ = 0, bug_ = 0, nonRelease_ = 0, stage_ = 0;
  std::string longVersion_, shortVersion_, packageInfo_;
};

// Prepares the toolkit (creates the Qt application object when none exists).
void RuntimeInit();
// Registers the application object; the toolkit holds it from then on.
void RuntimeRegisterAppObject(std::shared_ptr<Application> app);
Application* CurrentApplication();
// Calls back once, on the main thread, with the application object registered.
void RunFrameworkInitialization(const std::function<void()>& callback);
// Runs the event loop until QuitApplication.
void RuntimeRun();
// Ends the event loop with that exit status (also when asked before the loop runs).
void QuitApplication(int32_t code);
// True once the program is ending (QuitApplication, or an unhandled exception).
bool QuitRequested();
// The exit status for the process.
int32_t RuntimeExit();
// Reports an exception that escaped the program on stderr and ends the event
// loop with a non-zero status.
void RuntimeUnhandledException(std::exception_ptr e);
// Test seam: replaces the report (pass {} to restore it).
void SetUnhandledExceptionHandlerForTesting(std::function<void(std::exception_ptr)> handler);
// Drops the application object, the implicit windows and the exit status, so
// that tests can build the application again in one process.
void RuntimeResetForTesting();

// -------------------------------------------------------------------- cursors
class MouseCursor {
 public:
  enum Shape { Arrow, OpenHand, PointingHand };
  explicit MouseCursor(Shape s) : shape(s) {}
  Shape shape;
};
struct _Cursors {
  const MouseCursor* StandardPointer;
  const MouseCursor* HandOpen;
  const MouseCursor* FingerPointer;
};
const _Cursors& GetCursors();

// ------------------------------------------------------------------- printing
struct PrinterSetupImpl;
class PrinterSetup {
 public:
  PrinterSetup();  // the platform's default page settings
  ~PrinterSetup();
  PrinterSetup(const PrinterSetup&) = delete;
  PrinterSetup& operator=(const PrinterSetup&) = delete;
  // Shows the page-setup dialog; True when confirmed (the settings are kept).
  bool PageSetupDialog(Window* parent = nullptr);
  // Page size and printable area in points, as the settings stand.
  double PageWidth() const;
  double PageHeight() const;
  PrinterSetupImpl& impl() const { return *impl_; }

 private:
  std::unique_ptr<PrinterSetupImpl> impl_;
};

// Shows the print dialog (with setup's settings when given). On confirmation
// returns the printer page's surface, whose coordinates are canvas pixels
// mapped to points (1/72 in), scaled down only as far as the printable area
// needs; the page is finished when the surface is destroyed. nullptr when the
// user cancels or the page cannot be started. Where the print system does not
// answer, the user picks a PDF file to print into instead. A page that fails
// is reported to the user with ShowMessage and leaves no partial file.
std::unique_ptr<Graphics> OpenPrinterDialog(PrinterSetup* setup, Window* parent = nullptr);

// Test seam for both dialogs (and the PDF file choice that stands in for the
// print dialog): answer with confirm/cancel and, for printing, the PDF file to
// print into. Pass {} to restore the real dialogs.
enum class DialogKind { PageSetup, Print };
struct DialogAnswer {
  bool confirm = false;
  std::string pdfPath;  // print: the PDF file to print into (empty: nothing is printed)
};
void SetDialogHookForTesting(std::function<DialogAnswer(DialogKind, PrinterSetup*)> hook);

// ------------------------------------------------------------------- messages
// Shows text in a small message window and returns once the user closed it.
void ShowMessage(const std::string& text);
// Test seam: capture messages instead of showing them. Pass {} to restore.
void SetShowMessageHookForTesting(std::function<void(const std::string&)> hook);

// ---------------------------------------------------------------- URLs, files
// Opens a web page or a new mail with the system's handler.
void ShowURL(const std::string& url);
// Test seam: capture URLs instead of opening them. Pass {} to restore.
void SetShowURLHookForTesting(std::function<void(const std::string&)> hook);
// Where pictures stored with the application are looked up; the test seam
// replaces it (pass "" to restore).
std::string ResourcesFolder();
void SetResourcesFolderForTesting(const std::string& folder);
