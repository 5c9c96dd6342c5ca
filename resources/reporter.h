// The one way the portable core talks to the user: a beep and a message box.
// The Win32 shell implements it with MessageBeep/MessageBoxA, owned by the window at hand;
// tests implement it by recording the calls.
#pragma once

#include <string>

namespace quantora {

// The values are those of the platform's MessageBeep and MessageBoxA flags, so the shell
// passes them through unchanged.
enum : unsigned {
  kBeepDefault = 0x00,     // MessageBeep(0)
  kBeepHand = 0x10,        // MB_ICONHAND
  kBeepAsterisk = 0x40,    // MB_ICONASTERISK
  kStyleStop = 0x10,       // MB_OK | MB_ICONHAND
  kStyleInformation = 0x40 // MB_OK | MB_ICONINFORMATION
};

class Reporter {
 public:
  virtual ~Reporter() = default;
  virtual void Beep(unsigned type) = 0;
  virtual void ShowMessage(const std::string& text, const std::string& title, unsigned style) = 0;
};

// Beep first, then the message: every message of the program comes this way.
inline void BeepAndShow(Reporter& reporter, unsigned beep, const std::string& text,
                        const std::string& title, unsigned style) {
  reporter.Beep(beep);
  reporter.ShowMessage(text, title, style);
}

}  // namespace quantora
