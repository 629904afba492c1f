#pragma once
// The application object and the program's start-up and exit.
#include <cstdint>
#include <string>

#include "toolkit/Runtime.h"

class App : public Application {
 public:
  App();
  ~App() override;
  static const ClassInfo& Class();
  const ClassInfo& GetClassInfo() const override { return Class(); }
  virtual void Constructor();
  bool IsEventImplemented(const std::string& eventName) const override;
};

// The whole life of the program; returns the exit status.
int32_t AppMain();
// Start-up pieces, in the order AppMain runs them.
void RegisterClassesAndGlobals();
void StartApplication();
void CreateAppObject();
void OpenMainWindow();
void ReleaseGlobals();
