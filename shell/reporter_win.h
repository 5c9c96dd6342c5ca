// Messages of the program's windows: MessageBeep, then MessageBoxA owned by the window at
// hand, unless the one who opened the window hands in a reporter of its own.
#pragma once

#include <windows.h>

#include <string>

#include "resources/reporter.h"

namespace quantora {

class WinReporter : public Reporter {
 public:
  explicit WinReporter(HWND owner) : owner_(owner) {}
  void Beep(unsigned type) override;
  void ShowMessage(const std::string& text, const std::string& title, unsigned style) override;

 private:
  HWND owner_;
};

// The reporter for messages owned by the given window: chosen when one is given, else the
// platform's message boxes.
class ReporterFor {
 public:
  ReporterFor(HWND owner, Reporter* chosen) : platform_(owner), chosen_(chosen) {}
  Reporter& get() { return chosen_ ? *chosen_ : static_cast<Reporter&>(platform_); }

 private:
  WinReporter platform_;
  Reporter* chosen_;
};

}  // namespace quantora
