// The print client library on a short leash (see PrintClient.h).
//
// The library connects, and connects again after an error, through
// httpReconnect2, and finds a printer's settings through cupsGetNamedDest;
// it calls both, like Qt's print support does, through the dynamic linker.
// The program defines them itself (the executable exports them), does its
// part and hands on to the library's own.
#include "toolkit/PrintClient.h"

#include <cups/cups.h>
#include <dlfcn.h>

#include <QApplication>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <mutex>
#include <string>

namespace {

std::atomic<bool> silent{false};
std::atomic<bool> abandoned{false};

std::mutex paperMutex;
std::string preferredPaper;

// How long one wait on the server lasts before the library asks whether to
// go on: the window's events run this often while it waits.
constexpr double kWaitSliceSeconds = 0.05;
// One attempt to connect: a server whose connection is not taken by then is
// tried again, with the window's events run in between.
constexpr int kConnectSliceMs = 1000;

bool OnWindowThread() {
  const QCoreApplication* app = QCoreApplication::instance();
  return app != nullptr && QThread::currentThread() == app->thread();
}

// The window's events while it waits on the print system. While a modal
// dialog is up (one of the print dialogs, itself waiting), its input waits
// too: a click in it must not ask the print system again in the middle of
// this question. Repaints and everything else go on.
void RunWindowEvents() {
  const bool modal = QApplication::activeModalWidget() != nullptr;
  QCoreApplication::processEvents(modal ? QEventLoop::ExcludeUserInputEvents : QEventLoop::AllEvents);
}

// Asked by the library each time a wait on the server runs out: 1 to go on
// waiting, 0 to give up (the request then fails).
int KeepWaiting(http_t* http, void*) {
  if (PrintSystemAbandoned()) return 0;
  if (std::time(nullptr) - httpGetActivity(http) > kSilenceSeconds) {  // whole seconds, so never early
    MarkPrintSystemSilent();
    return 0;
  }
  if (OnWindowThread()) RunWindowEvents();
  return PrintSystemAbandoned() ? 0 : 1;
}

template <class Function>
Function Next(const char* name) {
  return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

}  // namespace

void MarkPrintSystemSilent() { silent = true; }
bool PrintSystemSilent() { return silent; }
void AbandonPrintSystem() { abandoned = true; }
bool PrintSystemAbandoned() { return silent || abandoned; }
void ResetPrintClientForTesting() { silent = abandoned = false; }

bool PrintSystemTookTheJob(std::string& reason) {
  if (PrintSystemSilent()) {
    reason = "the print system did not answer";
    return false;
  }
  // The job is the last request this thread made.
  if (cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE) return true;
  const char* why = cupsLastErrorString();
  reason = why != nullptr && *why != '\0' ? why : "the print system refused the job";
  return false;
}

void SetPreferredPaper(const char* name) {
  std::lock_guard lock(paperMutex);
  preferredPaper = name != nullptr ? name : "";
}

extern "C" {

// Every connection to a print server: bounded waits, attempts that give up
// once the print system is abandoned, the window's events between attempts.
int httpReconnect2(http_t* http, int msec, int* cancel) {
  using Reconnect = int (*)(http_t*, int, int*);
  static const Reconnect reconnect = Next<Reconnect>("httpReconnect2");
  if (reconnect == nullptr || http == nullptr) {
    errno = ENOSYS;
    return -1;
  }
  httpSetTimeout(http, kWaitSliceSeconds, KeepWaiting, nullptr);
  // Attempts until the library's own limit; a server that refuses ends them
  // at once, one that takes no connection for kSilenceSeconds is silent.
  for (int spent = 0;; spent += kConnectSliceMs) {
    if (PrintSystemAbandoned()) {
      errno = ETIMEDOUT;
      return -1;
    }
    if (msec <= 0) return reconnect(http, msec, cancel);  // no limit given: the library's way
    if (reconnect(http, std::min(msec - spent, kConnectSliceMs), cancel) == 0) return 0;
    if (httpError(http) != ETIMEDOUT || spent + kConnectSliceMs >= msec || (cancel != nullptr && *cancel)) return -1;
    if (spent + kConnectSliceMs >= kSilenceSeconds * 1000) {
      MarkPrintSystemSilent();
      return -1;
    }
    if (OnWindowThread()) RunWindowEvents();
  }
}

// A printer's settings: the paper of a confirmed page setup stands in for
// the printer's default paper, so that the print dialogs start from it.
cups_dest_t* cupsGetNamedDest(http_t* http, const char* name, const char* instance) {
  using GetNamedDest = cups_dest_t* (*)(http_t*, const char*, const char*);
  static const GetNamedDest getNamedDest = Next<GetNamedDest>("cupsGetNamedDest");
  if (getNamedDest == nullptr) return nullptr;
  cups_dest_t* dest = getNamedDest(http, name, instance);
  std::lock_guard lock(paperMutex);
  if (dest != nullptr && !preferredPaper.empty()) {
    dest->num_options = cupsRemoveOption("PageSize", dest->num_options, &dest->options);
    dest->num_options = cupsAddOption("media", preferredPaper.c_str(), dest->num_options, &dest->options);
  }
  return dest;
}

}  // extern "C"
