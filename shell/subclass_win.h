// A filter in front of a control's own window procedure. The control keeps the procedure it
// had in its user data, which the standard edit and button classes leave to the program. (The
// common controls' subclassing would serve as well, but loading that library costs every start
// more time than the program's own start-up work.)
#pragma once

#include <windows.h>

namespace quantora {

inline void SubclassControl(HWND control, WNDPROC filter) {
  if (control == nullptr) return;
  SetWindowLongPtrA(control, GWLP_USERDATA, GetWindowLongPtrA(control, GWLP_WNDPROC));
  SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(filter));
}

// What the control's own procedure makes of the message.
inline LRESULT CallControlProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto own = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(control, GWLP_USERDATA));
  return CallWindowProcA(own, control, message, wParam, lParam);
}

}  // namespace quantora
