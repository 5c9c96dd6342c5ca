// The information dialogs share one procedure; each brings only what it puts into its controls
// when it opens and its table of help contexts.
#include "settings/info_dialogs_win.h"

#include <string>

#include "shell/dpi_win.h"
#include "shell/help_win.h"
#include "resources/convert.h"

namespace quantora {
namespace {

// Room for a support address from the string table.
constexpr int kAddressLength = 249;

const DWORD AboutHelpTable[] = {0, 0};

const DWORD SupportHelpTable[] = {
    IDC_WEB_LABEL,         HC_SUPPORT_WEB, IDC_EMAIL_LABEL,       HC_SUPPORT_EMAIL,
    IDC_WEB_ADDRESS,       HC_SUPPORT_WEB, IDC_EMAIL_ADDRESS,     HC_SUPPORT_EMAIL,
    IDC_SUPPORT_INTRO,     0,              IDC_SUPPORT_QUESTIONS, 0,
    IDC_SUPPORT_FEATURES,  0,              IDC_SUPPORT_DOWNLOAD,  0,
    IDC_SUPPORT_SEPARATOR, 0,              0,                     0};

const DWORD LiabilityHelpTable[] = {
    IDD_LIABILITY,        HC_LIABILITY, IDC_LIABILITY_CARE,      HC_LIABILITY,
    IDC_LIABILITY_AS_IS,  HC_LIABILITY, IDC_LIABILITY_VERIFY,    HC_LIABILITY,
    IDC_LIABILITY_REPORT, HC_LIABILITY, IDC_LIABILITY_SEPARATOR, HC_LIABILITY,
    0,                    0};

void ShowRelease(HWND dialog, LPARAM parameter) {
  const ReleaseFacts* release = reinterpret_cast<const ReleaseFacts*>(parameter);
  if (release == nullptr) return;
  SetDlgItemTextA(dialog, IDC_VERSION, (std::string("Version ") + release->version).c_str());
  SetDlgItemTextA(dialog, IDC_BUILD_DATE, release->buildDate);
}

// The logo is a bitmap of 96-DPI pixels. At any other DPI it is loaded again stretched by as
// much as the dialog grew, so that it fills its frame as it does at 96 DPI. The logo control
// keeps the bitmap it loaded itself (in its user data) and gets it back before it goes, when
// the stretched copy is deleted.
void ScaleLogo(HWND dialog) {
  const int dpi = WindowDpi(dialog);
  HWND logo = GetDlgItem(dialog, IDC_ABOUT_LOGO);
  BITMAP size{};
  if (dpi == USER_DEFAULT_SCREEN_DPI || logo == nullptr ||
      !GetObjectA(reinterpret_cast<HGDIOBJ>(SendMessageA(logo, STM_GETIMAGE, IMAGE_BITMAP, 0)),
                  sizeof size, &size)) {
    return;
  }
  auto scaled = [dpi](LONG pixels) {
    return static_cast<int>((pixels * dpi + USER_DEFAULT_SCREEN_DPI / 2) / USER_DEFAULT_SCREEN_DPI);
  };
  const HINSTANCE module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE));
  HANDLE stretched = LoadImageA(module, MAKEINTRESOURCEA(IDB_LOGO), IMAGE_BITMAP,
                                scaled(size.bmWidth), scaled(size.bmHeight), 0);
  if (stretched == nullptr) return;
  const LRESULT original =
      SendMessageA(logo, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(stretched));
  SetWindowLongPtrA(logo, GWLP_USERDATA, original);
}

void RestoreLogo(HWND dialog) {
  HWND logo = GetDlgItem(dialog, IDC_ABOUT_LOGO);
  const LONG_PTR original = logo ? GetWindowLongPtrA(logo, GWLP_USERDATA) : 0;
  if (original != 0) {
    const LRESULT stretched = SendMessageA(logo, STM_SETIMAGE, IMAGE_BITMAP, original);
    DeleteObject(reinterpret_cast<HGDIOBJ>(stretched));
  }
}

void ShowAbout(HWND dialog, LPARAM parameter) {
  ShowRelease(dialog, parameter);
  ScaleLogo(dialog);
}

void ShowAddress(HWND dialog, UINT stringId, int controlId) {
  const HINSTANCE module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE));
  char address[kAddressLength + 1] = "";
  LoadStringA(module, stringId, address, sizeof address);
  SetDlgItemTextA(dialog, controlId, address);
}

void ShowAddresses(HWND dialog, LPARAM) {
  ShowAddress(dialog, IDS_SUPPORT_WEB, IDC_WEB_ADDRESS);
  ShowAddress(dialog, IDS_SUPPORT_EMAIL, IDC_EMAIL_ADDRESS);
}

void ShowTemplateOnly(HWND, LPARAM) {}

}  // namespace

INT_PTR InformationDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam,
                          FillControls fill, const DWORD* helpTable) {
  switch (message) {
    case WM_INITDIALOG:
      fill(dialog, lParam);
      return TRUE;
    case WM_COMMAND:
      // Only the buttons themselves (and Escape, the close box), not a control's notification.
      if (wParam != IDOK && wParam != IDCANCEL) return FALSE;
      EndDialog(dialog, 0);
      return TRUE;
    case WM_HELP:
    case WM_CONTEXTMENU:
      return HandleHelpMessage(message, wParam, lParam, helpTable);
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) RestoreLogo(dialog);
  return InformationDialog(dialog, message, wParam, lParam, ShowAbout, AboutHelpTable);
}

INT_PTR CALLBACK SupportInfoDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return InformationDialog(dialog, message, wParam, lParam, ShowAddresses, SupportHelpTable);
}

INT_PTR CALLBACK LiabilityDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return InformationDialog(dialog, message, wParam, lParam, ShowTemplateOnly, LiabilityHelpTable);
}

}  // namespace quantora
