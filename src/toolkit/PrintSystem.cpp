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

#include "toolkit/PrintClient.h"

namespace {

// One question to the print system, shared by the window and the worker.
struct Question {
  std::mutex mutex;
  std::condition_variable answered;
  bool done = false;
  std::unique_ptr<QPrinter> printer;
};

struct PrintSystemState {
  // The worker of the last question. It is joined once it has answered, or
  // when the program ends: no thread is inside Qt or the print client while
  // the program's globals are torn down.
  std::thread worker;
  std::shared_ptr<Question> question;
};

PrintSystemState& State() {
  static PrintSystemState state;
  return state;
}

// A print system on this machine answers at once: the window waits for it
// this long before it lets events run.
constexpr std::chrono::milliseconds kQuickAnswer{100};
constexpr std::chrono::milliseconds kLongestQuestion{60000};
// How long the end of the program waits for a worker that is still asking.
// Told to stop, it gives up most waits within a few hundredths of a second,
// but the print client also waits a whole second at a time where nothing
// can cut it short: the program does not wait for that.
constexpr std::chrono::milliseconds kLongestEnd{250};

void Ask(const std::shared_ptr<Question>& question) noexcept {
  std::unique_ptr<QPrinter> printer;
  try {
    printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  } catch (...) {
    // No printer: the window prints to a PDF file this time.
  }
  std::lock_guard lock(question->mutex);
  question->done = true;
  question->printer = std::move(printer);
  question->answered.notify_all();
}

// The window's side: events run (repaints, the close button, Ctrl+Q) until
// the answer comes, the print system falls silent (the worker finds out) or
// the program quits. A worker stuck where the print client cannot tell (a
// name lookup) is given up after kLongestQuestion.
enum class Waited { Answered, TimedOut, Quitting };
Waited WaitForAnswer(Question& question) {
  {
    std::unique_lock lock(question.mutex);
    if (question.answered.wait_for(lock, kQuickAnswer, [&] { return question.done; })) return Waited::Answered;
  }
  QElapsedTimer clock;
  clock.start();
  QEventLoop loop;
  QTimer poll;
  Waited result = Waited::Quitting;  // QCoreApplication::exit ends this loop too
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    std::lock_guard lock(question.mutex);
    if (question.done) {
      result = Waited::Answered;
      loop.quit();
    } else if (PrintSystemSilent() || clock.hasExpired(kLongestQuestion.count())) {
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
  if (PrintSystemSilent()) return {PrintSystemAnswer::Silent, nullptr};
  // Still asking (for an earlier dialog, or a worker not yet told to stop), or quitting.
  if (s.worker.joinable() || PrintSystemAbandoned()) return {PrintSystemAnswer::Busy, nullptr};

  auto question = std::make_shared<Question>();
  try {
    s.worker = std::thread(Ask, question);
  } catch (...) {
    return {PrintSystemAnswer::Silent, nullptr};  // no thread to ask from: not asked at all
  }
  s.question = question;
  const Waited waited = WaitForAnswer(*question);

  if (waited == Waited::Answered) {
    s.worker.join();
    s.question.reset();
    std::lock_guard lock(question->mutex);
    if (question->printer) return {PrintSystemAnswer::Printer, std::move(question->printer)};
    return {PrintSystemAnswer::Silent, nullptr};
  }
  // The worker stops waiting at once and is joined when the program ends.
  if (waited == Waited::TimedOut) {
    MarkPrintSystemSilent();
    return {PrintSystemAnswer::Silent, nullptr};
  }
  AbandonPrintSystem();
  return {PrintSystemAnswer::Busy, nullptr};
}

bool EndPrintSystem() {
  PrintSystemState& s = State();
  AbandonPrintSystem();
  if (!s.worker.joinable()) return true;
  {
    std::unique_lock lock(s.question->mutex);
    if (!s.question->answered.wait_for(lock, kLongestEnd, [&] { return s.question->done; })) return false;
  }
  s.worker.join();
  // Its printer, if it got one, goes while Qt is still whole.
  s.question.reset();
  return true;
}
