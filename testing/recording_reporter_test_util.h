// A Reporter for tests: remembers every beep and message instead of showing them.
#pragma once

#include <string>
#include <vector>

#include "resources/reporter.h"

namespace quantora {

class RecordingReporter : public Reporter {
 public:
  struct Message {
    std::string text;
    std::string title;
    unsigned style;
  };
  void Beep(unsigned type) override { beeps.push_back(type); }
  void ShowMessage(const std::string& text, const std::string& title, unsigned style) override {
    messages.push_back({text, title, style});
  }
  std::vector<unsigned> beeps;
  std::vector<Message> messages;
};

}  // namespace quantora
