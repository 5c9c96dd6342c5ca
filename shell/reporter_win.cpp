#include "shell/reporter_win.h"

namespace quantora {

void WinReporter::Beep(unsigned type) { MessageBeep(type); }

void WinReporter::ShowMessage(const std::string& text, const std::string& title, unsigned style) {
  MessageBoxA(owner_, text.c_str(), title.c_str(), style);
}

static_assert(kBeepHand == MB_ICONHAND && kBeepAsterisk == MB_ICONASTERISK, "beep types");
static_assert(kStyleStop == (MB_OK | MB_ICONHAND), "stop style");
static_assert(kStyleInformation == (MB_OK | MB_ICONINFORMATION), "information style");

}  // namespace quantora
