// The main window's File menu actions: about, page setup and printing.
#include <memory>

#include "diagram/DiagramState.h"
#include "toolkit/Graphics.h"
#include "toolkit/Runtime.h"
#include "windows/Window1.h"
#include "windows/Window1Diagram.h"
#include "windows/Window2.h"

void Window1::AddMenuHandlers(Window& w) {
  Window1* window = RuntimeCheckCast<Window1>(&w);
  w._AddMenuHandler("aboutItem", [window] { return window->_aboutItem_Action(); });
  w._AddMenuHandler("FilePageSetup", [window] { return window->_FilePageSetup_Action(); });
  w._AddMenuHandler("FilePrint", [window] { return window->_FilePrint_Action(); });
}

bool Window1::_aboutItem_Action() {
  Window2* about = ImplicitWindow2();
  about->Show();
  return false;
}

bool Window1::_FilePageSetup_Action() {
  DiagramState& state = State();
  if (state.pageSetup == nullptr) throw NilObjectException("NilObjectException: no page setup");
  if (state.pageSetup->PageSetupDialog(nullptr)) state.hasPageSetup = true;
  return false;
}

bool Window1::_FilePrint_Action() {
  DiagramState& state = State();
  PrinterSetup* setup = nullptr;
  if (state.hasPageSetup) {
    if (state.pageSetup == nullptr) throw NilObjectException("NilObjectException: no page setup");
    setup = state.pageSetup.get();
  }
  std::unique_ptr<Graphics> g = OpenPrinterDialog(setup, nullptr);
  if (g != nullptr) DrawDiagram(*g);
  return false;
}
