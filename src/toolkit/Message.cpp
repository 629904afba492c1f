// Short messages to the user in a window of their own.
#include <QApplication>
#include <QMessageBox>

#include "toolkit/Runtime.h"

namespace {

std::function<void(const std::string&)>& MessageHook() {
  static std::function<void(const std::string&)> hook;
  return hook;
}

}  // namespace

void ShowMessage(const std::string& text) {
  if (const auto& hook = MessageHook()) {
    hook(text);
    return;
  }
  QMessageBox::warning(QApplication::activeWindow(), QApplication::applicationName(), QString::fromStdString(text));
}

void SetShowMessageHookForTesting(std::function<void(const std::string&)> hook) { MessageHook() = std::move(hook); }
