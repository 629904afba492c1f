#pragma once
// Exceptions that escape a handler reach the toolkit's report; tests collect
// them as texts instead, to assert that none (or a given one) escaped.
#include <exception>
#include <string>
#include <vector>

#include "toolkit/Runtime.h"

// Routes every reported exception into `into` (its what(), or a placeholder).
inline void CollectUnhandledExceptions(std::vector<std::string>& into) {
  SetUnhandledExceptionHandlerForTesting([&into](std::exception_ptr e) {
    try {
      if (e) std::rethrow_exception(e);
      into.push_back("no exception object");
    } catch (const std::exception& ex) {
      into.push_back(ex.what());
    } catch (...) {
      into.push_back("non-standard exception");
    }
  });
}

// Collects the reported exceptions while it lives.
struct ExceptionCatcher {
  ExceptionCatcher() { CollectUnhandledExceptions(caught); }
  ~ExceptionCatcher() { SetUnhandledExceptionHandlerForTesting({}); }
  ExceptionCatcher(const ExceptionCatcher&) = delete;
  ExceptionCatcher& operator=(const ExceptionCatcher&) = delete;
  std::vector<std::string> caught;
};
