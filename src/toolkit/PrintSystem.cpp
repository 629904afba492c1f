// Asking the print system for a printer on a worker thread, with the window
// kept answering while it is asked and a limit on how long it is waited for.
#include "toolkit/PrintSystem.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPrinter>
#include <QTimer>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

// One question to the print system, shared by the window and the worker. A
// worker that answers after the window has given up leaves the printer
// unreleased: by then the program may be ending, and nothing of Qt's may be
// torn down from that thread any more.
struct Question {
  std::mutex mutex;
  std::condition_variable answered;
  bool done = false;
  bool givenUp = false;
  std::unique_ptr<QPrinter> printer;
};

struct PrintSystemState {
  bool silent = false;  // it did not answer once: it is not asked again
  bool asking = false;
};

PrintSystemState& State() {
  static PrintSystemState state;
  return state;
}

// A print system on this machine answers at once: the window waits for it
// this long before it lets events run, and gives up after kLongestWaitMs.
constexpr std::chrono::milliseconds kQuickAnswer{100};
constexpr qint64 kLongestWaitMs = 5000;

void Ask(const std::shared_ptr<Question>& question) noexcept {
  std::unique_ptr<QPrinter> printer;
  try {
    printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  } catch (...) {
    // No printer: the window prints to a PDF file this time.
  }
  std::lock_guard lock(question->mutex);
  question->done = true;
  if (question->givenUp)
    static_cast<void>(printer.release());
  else
    question->printer = std::move(printer);
  question->answered.notify_all();
}

// The window's side: events run (repaints, the close button, Ctrl+Q) until
// the answer comes, the wait runs out or the program quits.
enum class Waited { Answered, TimedOut, Quitting };
Waited WaitForAnswer(Question& question) {
  {
    std::unique_lock lock(question.mutex);
    if (question.answered.wait_for(lock, kQuickAnswer, [&] { return question.done; })) return Waited::Answered;
  }
  QEventLoop loop;
  QTimer poll;
  QElapsedTimer clock;
  clock.start();
  Waited result = Waited::Quitting;  // QCoreApplication::exit ends this loop too
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    std::lock_guard lock(question.mutex);
    if (question.done) {
      result = Waited::Answered;
      loop.quit();
    } else if (clock.elapsed() + kQuickAnswer.count() >= kLongestWaitMs) {
      result = Waited::TimedOut;
      loop.quit();
    }
  });
  poll.start(10);
  QGuiApplication::setOverrideCursor(Qt::BusyCursor);
  loop.exec();
  QGuiApplication::restoreOverrideCursor();
  return result;
}

}  // namespace

AskedPrinter AskPrintSystem() {
  PrintSystemState& s = State();
  if (s.silent) return {PrintSystemAnswer::Silent, nullptr};
  if (s.asking) return {PrintSystemAnswer::Busy, nullptr};

  auto question = std::make_shared<Question>();
  try {
    std::thread(Ask, question).detach();
  } catch (...) {
    return {PrintSystemAnswer::Silent, nullptr};  // no thread to ask from: not asked at all
  }
  s.asking = true;
  const Waited waited = WaitForAnswer(*question);
  s.asking = false;

  std::lock_guard lock(question->mutex);
  if (question->done) {
    if (question->printer) return {PrintSystemAnswer::Printer, std::move(question->printer)};
    return {PrintSystemAnswer::Silent, nullptr};
  }
  question->givenUp = true;
  if (waited == Waited::TimedOut) {
    s.silent = true;
    return {PrintSystemAnswer::Silent, nullptr};
  }
  return {PrintSystemAnswer::Busy, nullptr};
}
