#pragma once
// Toolkit-internal: asking the print system for a printer without letting it
// hold up the window. The print client library can wait for minutes on a
// print server that takes connections and never answers, or whose packets a
// firewall drops; the question is therefore put on a worker thread while the
// window goes on answering, and is given up after a few seconds.
#include <memory>

class QPrinter;

enum class PrintSystemAnswer {
  Printer,   // the print system answered: the printer is set up as it says
  Silent,    // no answer in time: print to a PDF file without asking it again
  Busy,      // still asking for an earlier dialog, or the program is quitting
};

struct AskedPrinter {
  PrintSystemAnswer answer = PrintSystemAnswer::Busy;
  std::unique_ptr<QPrinter> printer;  // set for Printer only
};

// A high-resolution printer on the print system's default printer (or on a
// PDF file where there is none). Once the print system has not answered, the
// rest of the session answers Silent at once: nothing asks it again.
AskedPrinter AskPrintSystem();

// The program is ending: every wait on the print system ends, and a worker
// still asking it is waited for, briefly. False when it did not stop in time
// (it is inside a wait that cannot be cut short, or a name lookup): then
// nothing of Qt's may be torn down under it, and the program must end at once.
bool EndPrintSystem();

// Held while a dialog, or a page on a printer, may ask the print system from
// the window's thread: the window's events run while it waits, and another
// page setup or print must not start meanwhile.
class PrintSystemInUse {
 public:
  PrintSystemInUse() { ++Count(); }
  ~PrintSystemInUse() { --Count(); }
  PrintSystemInUse(const PrintSystemInUse&) = delete;
  PrintSystemInUse& operator=(const PrintSystemInUse&) = delete;
  static bool Now() { return Count() > 0; }

 private:
  static int& Count() {
    static int count = 0;
    return count;
  }
};
