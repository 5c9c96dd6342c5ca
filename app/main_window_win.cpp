#include "app/main_window_win.h"

#include <clocale>

#include "app/edit_menu.h"
#include "conversion/copy_text_win.h"
#include "conversion/format_dialog_win.h"
#include "conversion/typed_dialog_win.h"
#include "resources/convert.h"
#include "shell/dpi_win.h"
#include "shell/help_win.h"
#include "shell/reporter_win.h"
#include "settings/info_dialogs_win.h"
#include "settings/constants_dialog_win.h"
#include "settings/profile_store_win.h"
#include "settings/settings.h"
#include "units/unit_dialog_win.h"

namespace quantora {
namespace {

constexpr UINT kStartupDelayMs = 50;


MainWindowState& State(HWND window) { return *StateOf(window); }

void SetValueEditText(HWND window, const std::string& text) {
  State(window).lastValueText = text;
  SetDlgItemTextA(window, IDC_VALUE_EDIT, text.c_str());
}

void MeasureFont(HWND window) {
  MainWindowState& program = State(window);
  HDC dc = GetDC(window);
  HGDIOBJ old = SelectObject(dc, program.Font());
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  program.CharWidth = metrics.tmAveCharWidth;
  program.CharHeight = metrics.tmHeight + metrics.tmExternalLeading;
}

LRESULT OnCreate(HWND window) {
  MainWindowState& program = State(window);
  // Numbers are read and written locale-free by the core; the run-time locale is set as the
  // program always has, for anything else of the C library.
  std::setlocale(LC_ALL, "English");
  ApplyDpi(window, WindowDpi(window));
  program.mainWindow = window;
  program.store = std::make_unique<WinProfileStore>(program.settingsPath);
  WinProfileStore& settings = *program.store;
  ReporterFor reporter(window, program.reporterOverride);
  // The load reads every section once rather than the file once per key.
  const LoadOutcome outcome = [&] {
    WinProfileStore::ReadBatch reading(settings);
    SetHelpViewer(ParseHelpViewer(settings.GetString(kHelpViewerSection, kHelpViewerKey, "")));
    return LoadSettings(settings, reporter.get(), program.conversion, program.tables,
                        program.format, program.dataPath.c_str());
  }();
  if (outcome != LoadOutcome::Loaded) {
    // The user has seen the failing check's message. The state in memory was never loaded,
    // so the close must not write it over the saved one.
    program.startupFailed = true;
    SendMessageA(window, WM_CLOSE, 0, 0);
    return -1;
  }
  SetTimer(window, IDT_STARTUP, kStartupDelayMs, nullptr);
  return 0;
}

void OnTimer(HWND window) {
  MainWindowState& program = State(window);
  KillTimer(window, IDT_STARTUP);
  BuildLayout(window);
  if (program.conversion.InputValuePresent) {
    SetValueEditText(window, FormatValue(program.conversion.InputValue, program.format));
  }
  RecomputeResult(window);
  SetFocus(GetDlgItem(window, IDC_VALUE_EDIT));
  // A conversion given on the command line is taken once the window is laid out.
  if (!program.startText.empty()) PostMessageA(window, WM_COMMAND, IDM_TYPE_CONVERSION, 0);
}

void CommitValue(HWND window, double value) {
  ConversionState& state = State(window).conversion;
  state.InputValue = value;
  state.InputValuePresent = 1;
  RecomputeResult(window);
}

// Leaving the value edit commits only what the user changed: the echo the program wrote
// there is a rounded copy of the value and must not replace it.
void OnValueEditKillFocus(HWND window) {
  const std::string text = ControlText(window, IDC_VALUE_EDIT);
  if (text == State(window).lastValueText) return;
  const double value = ReadInputText(text);
  if (value == State(window).conversion.InputValue) return;
  CommitValue(window, value);
}

// Enter commits the field in any case. Its text is read as the user's only when the user
// changed it: the echo the program wrote there, untouched, stands for the full value.
void OnAcceptValue(HWND window) {
  MainWindowState& program = State(window);
  const std::string text = ControlText(window, IDC_VALUE_EDIT);
  const bool untouchedEcho =
      program.conversion.InputValuePresent && text == program.lastValueText;
  const double value = untouchedEcho ? program.conversion.InputValue : ReadInputText(text);
  program.conversion.InputValuePresent = 1;
  SetKeyboardNavigation(window, false);
  CommitValue(window, value);
}

void OnSwap(HWND window) {
  if (State(window).MultiUnitMode()) {
    for (int slot = 0; slot < kSlotCount; ++slot) SwapSides(slot, window);
  } else {
    SwapSides(0, window);
  }
  RecomputeResult(window);
}

void SetMode(HWND window, int multiDimensional) {
  State(window).conversion.MultiDimensional = multiDimensional;
  BuildLayout(window);
}

// Undo, Cut, Copy and Paste act on whatever window has the keyboard focus.
void SendToFocus(UINT message) {
  HWND focus = GetFocus();
  if (focus == nullptr) {
    MessageBeep(MB_ICONHAND);
    return;
  }
  SendMessageA(focus, message, 0, 0);
}

void OpenDialog(HWND window, const char* templateName, DLGPROC procedure, LPARAM parameter = 0) {
  DialogBoxParamA(State(window).instance, templateName, window, procedure, parameter);
}

void OpenNumericFormatDialog(HWND window) {
  MainWindowState& program = State(window);
  FormatDialogContext context;
  context.format = &program.format;
  context.reporter = program.reporterOverride;
  context.resultChanged = [window] { RecomputeResult(window); };
  OpenDialog(window, IDD_PREFERENCES_NAME, NumericFormatDialog, reinterpret_cast<LPARAM>(&context));
}

void OpenConstantsDialog(HWND window) {
  const MainWindowState& program = State(window);
  ConstantsDialogContext context;
  if (!program.constantsPath.empty()) context.path = program.constantsPath.c_str();
  context.reporter = program.reporterOverride;
  DialogBoxParamA(program.instance, IDD_CONSTANTS_NAME, window, ConstantsDialogProc,
                  reinterpret_cast<LPARAM>(&context));
}

// A typed conversion goes into the records as the unit dialog's picks would; the window then
// shows it as after picking by hand, in a new layout when the mode changed.
bool ApplyTypedConversion(HWND window, const TypedConversionReader& reader,
                          const TypedConversion& conversion) {
  MainWindowState& program = State(window);
  const bool wasMultiUnit = program.MultiUnitMode();
  ReporterFor reporter(window, program.reporterOverride);
  if (!reader.Apply(conversion, program.conversion, reporter.get(), program.dataPath.c_str())) {
    return false;
  }
  if (program.MultiUnitMode() != wasMultiUnit) {
    BuildLayout(window);
  } else {
    WriteUnitLabels(window);
    RecomputeResult(window);
  }
  return true;
}

// The dialog, or at start the command line's text: a text that reads is applied at once, one
// that does not opens the dialog with it and its reason.
void OnTypeConversion(HWND window) {
  MainWindowState& program = State(window);
  TypedDialogContext context;
  context.tables = &program.tables;
  context.dataPath = program.dataPath.c_str();
  context.format = &program.format;
  context.reporter = program.reporterOverride;
  context.apply = [window](const TypedConversionReader& reader, const TypedConversion& conversion) {
    return ApplyTypedConversion(window, reader, conversion);
  };
  context.text.swap(program.startText);
  if (!context.text.empty()) {
    context.reader = LoadTypedConversionReader(program.tables, context.dataPath);
    if (context.apply(*context.reader, context.reader->Read(context.text))) return;
  }
  OpenDialog(window, IDD_TYPECONVERSION_NAME, TypedConversionDialog,
             reinterpret_cast<LPARAM>(&context));
  if (program.navigation.KeyboardNavigation) RestoreFocus(window, program.MultiUnitMode());
}

LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam) {
  MainWindowState& program = State(window);
  const bool multi = program.MultiUnitMode();
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  if (id >= IDC_INPUT_UNIT_BUTTON_FIRST && id < IDC_INPUT_UNIT_BUTTON_FIRST + kSlotCount) {
    OpenUnitDialog(window, id - IDC_INPUT_UNIT_BUTTON_FIRST, true);
    return 1;
  }
  if (id >= IDC_OUTPUT_UNIT_BUTTON_FIRST && id < IDC_OUTPUT_UNIT_BUTTON_FIRST + kSlotCount) {
    OpenUnitDialog(window, id - IDC_OUTPUT_UNIT_BUTTON_FIRST, false);
    return 1;
  }
  switch (id) {
    case IDC_VALUE_EDIT:
      if (code == EN_KILLFOCUS) OnValueEditKillFocus(window);
      return 0;
    case IDM_ACCEPT_VALUE: OnAcceptValue(window); return 0;
    case IDC_SWAP_SIMPLE:
    case IDC_SWAP_MULTI: OnSwap(window); return 0;
    case IDM_SIMPLE_MODE: if (multi) SetMode(window, 0); return 0;
    case IDM_MULTI_MODE: if (!multi) SetMode(window, 1); return 0;
    case IDM_TOGGLE_MODE: SetMode(window, multi ? 0 : 1); return 0;
    case IDM_UNDO: SendToFocus(EM_UNDO); return 0;
    case IDM_CUT: SendToFocus(WM_CUT); return 0;
    case IDM_COPY: SendToFocus(WM_COPY); return 0;
    case IDM_PASTE: SendToFocus(WM_PASTE); return 0;
    case IDM_NUMERIC_FORMAT: OpenNumericFormatDialog(window); return 0;
    case IDM_SUPPORT_INFO: OpenDialog(window, IDD_SUPPORT_INFORMATION_NAME, SupportInfoDialogProc); return 0;
    case IDM_LIABILITY: OpenDialog(window, MAKEINTRESOURCEA(IDD_LIABILITY), LiabilityDialogProc); return 0;
    case IDM_ABOUT:
      OpenDialog(window, IDD_ABOUTBOX_NAME, AboutDialogProc, reinterpret_cast<LPARAM>(&kRelease));
      return 0;
    case IDM_COPY_RESULT:
      CopyResult(window, program.conversion, program.tables, multi,
                 ReporterFor(window, program.reporterOverride).get());
      return 0;
    case IDM_COPY_ALL:
      CopyAll(window, program.conversion, program.tables, multi,
              ReporterFor(window, program.reporterOverride).get());
      return 0;
    case IDM_LOOKUP_CONSTANT: OpenConstantsDialog(window); return 0;
    case IDM_TYPE_CONVERSION: OnTypeConversion(window); return 0;
    case IDM_HELP_CONTENTS: CallHelp(window, HELP_FORCEFILE, 0); return 0;
    case IDM_HELP_ON_HELP: CallHelp(window, HELP_HELPONHELP, 0); return 0;
    case IDM_EXIT: SendMessageA(window, WM_CLOSE, 0, 0); return 0;
    default: return DefWindowProcA(window, WM_COMMAND, wParam, lParam);
  }
}

// Where the window stands, for the next start. A minimised window reports a parking place far
// off screen; saving that would open every later run out of sight (and save it there again), so
// the place it is restored to counts instead. That place is kept relative to the work area of
// its monitor; the window itself is placed in screen coordinates.
RECT PlaceToSave(HWND window) {
  RECT r{};
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (!IsIconic(window) || !GetWindowPlacement(window, &placement)) {
    GetWindowRect(window, &r);
    return r;
  }
  r = placement.rcNormalPosition;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (GetMonitorInfoA(MonitorFromRect(&r, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
    OffsetRect(&r, monitor.rcWork.left - monitor.rcMonitor.left,
               monitor.rcWork.top - monitor.rcMonitor.top);
  }
  return r;
}

// The save as at close. Closing by the close box or Alt+F4 leaves the focus in the value edit:
// what the user typed there is committed as leaving the edit would, before it is saved, not
// after. Another copy of the program may be saving into the same file at this moment: the
// save lock keeps the two saves apart, so that the file holds one whole state.
void SaveState(HWND window, Reporter& reporter) {
  MainWindowState& program = State(window);
  if (program.startupFailed || !program.store) return;
  if (program.valueEdit && GetFocus() == program.valueEdit) OnValueEditKillFocus(window);
  const RECT r = PlaceToSave(window);
  const WinProfileStore::SaveLock lock;
  SaveSettings(*program.store, reporter, program.conversion, program.format,
               WindowRect{r.left, r.top, r.right, r.bottom}, program.store->Path().c_str());
}

void OnClose(HWND window) {
  MainWindowState& program = State(window);
  // A close request that arrives while the save's message is up belongs to this close.
  if (program.closing) return;
  program.closing = true;
  SaveState(window, ReporterFor(window, program.reporterOverride).get());
  DestroyWindow(window);
}

// A restart for updates, a log-off or a shutdown ends the program without WM_CLOSE, soon after
// this returns: the state is saved as a close saves it and the help windows are closed. No
// message box could be answered now, so a save that fails says nothing.
void OnEndSession(HWND window, bool ending) {
  class Silent : public Reporter {
    void Beep(unsigned) override {}
    void ShowMessage(const std::string&, const std::string&, unsigned) override {}
  } silent;
  if (!ending || State(window).closing) return;
  SaveState(window, silent);
  CloseHelp();
}

LRESULT OnDrawItem(HWND window, const DRAWITEMSTRUCT& item) {
  const int id = static_cast<int>(item.CtlID);
  const int dpi = State(window).layout.dpi;
  if (id == IDC_SWAP_SIMPLE || id == IDC_SWAP_MULTI) {
    DrawSwapButton(item, State(window).MultiUnitMode(), dpi);
  } else if (id >= IDC_INPUT_UNIT_BUTTON_FIRST && id < IDC_OUTPUT_UNIT_BUTTON_FIRST + kSlotCount) {
    DrawUnitButton(item, dpi);
  }
  return TRUE;
}

// The window came onto a monitor of another DPI, or that monitor's scale changed. During a
// layout's own move the layout sizes the window again itself; otherwise the window takes the
// place Windows suggests and is laid out afresh, keeping what the user typed and where the
// focus was.
void OnDpiChanged(HWND window, int dpi, const RECT& suggested) {
  MainWindowState& program = State(window);
  if (dpi <= 0 || dpi == program.Dpi) return;
  ApplyDpi(window, dpi);
  if (program.layingOut) return;
  MoveWindow(window, suggested.left, suggested.top, suggested.right - suggested.left,
             suggested.bottom - suggested.top, TRUE);
  if (program.layout.controlCount == 0) return;  // the start-up timer lays it out
  const std::string typed = ControlText(window, IDC_VALUE_EDIT);
  const bool typing = typed != program.lastValueText;
  HWND focus = GetFocus();
  const bool focusInside = focus != nullptr && GetParent(focus) == window;
  // The edit going away must not commit a value the user has not finished typing.
  program.lastValueText = typed;
  BuildLayout(window);
  if (typing) SetDlgItemTextA(window, IDC_VALUE_EDIT, typed.c_str());
  if (focusInside && !program.navigation.KeyboardNavigation) SetFocus(program.valueEdit);
}

void OnPaint(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  State(window).PaintContent(dc);
  EndPaint(window, &ps);
}

}  // namespace

void ApplyDpi(HWND window, int dpi) {
  MainWindowState& program = State(window);
  // The controls keep the font they were given until the next layout replaces them.
  if (program.retiredFont) DeleteObject(program.retiredFont);
  program.retiredFont = program.scaledFont;
  program.scaledFont = nullptr;
  if (dpi != kDesignDpi) {
    LOGFONTA face{};
    GetObjectA(GetStockObject(ANSI_VAR_FONT), sizeof face, &face);
    face.lfHeight = ScalePixels(face.lfHeight, dpi);
    face.lfWidth = ScalePixels(face.lfWidth, dpi);
    program.scaledFont = CreateFontIndirectA(&face);
  }
  program.Dpi = dpi;
  MeasureFont(window);
}

MainWindowState* StateOf(HWND window) {
  return reinterpret_cast<MainWindowState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

std::string ControlText(HWND window, int id) {
  char text[kControlTextLimit + 1] = {};
  GetDlgItemTextA(window, id, text, sizeof text);
  return text;
}

void RecomputeResult(HWND window) {
  MainWindowState& program = State(window);
  const DisplayTexts texts = ComputeDisplayTexts(program.conversion, program.format);
  SetDlgItemTextA(window, IDC_RESULT_EDIT, texts.result.c_str());
  SetValueEditText(window, texts.echo);
  if (program.navigation.KeyboardNavigation) {
    RestoreFocus(window, program.MultiUnitMode());
  } else {
    SendDlgItemMessageA(window, IDC_VALUE_EDIT, EM_SETSEL, 0, -1);
  }
}

void SwapSides(int slot, HWND window) {
  MainWindowState& program = State(window);
  QuantityRecord& record = program.conversion.QuantityRecords[slot];
  SwapSides(record);
  ShowUnitLabel(window, record, true);
  ShowUnitLabel(window, record, false);
}

void OpenUnitDialog(HWND window, int slot, bool inputSide) {
  MainWindowState& program = State(window);
  // Anything outside the six slots is taken as slot 0 rather than indexing past the records.
  if (slot < 0 || slot >= kSlotCount) slot = 0;
  UnitDialogContext context;
  context.record = &program.conversion.QuantityRecords[slot];
  context.slot = slot;
  context.inputSide = inputSide;
  context.multiUnit = program.MultiUnitMode();
  context.tables = &program.tables;
  context.dataPath = program.dataPath.c_str();
  context.reporter = program.reporterOverride;
  context.showLabel = [window](int labelId, const char* text) {
    SetDlgItemTextA(window, labelId, text);
  };
  context.resultChanged = [window] { RecomputeResult(window); };
  OpenDialog(window, IDD_INPUTUNIT_NAME, UnitSelectionDialog, reinterpret_cast<LPARAM>(&context));
  if (program.navigation.KeyboardNavigation) RestoreFocus(window, program.MultiUnitMode());
}

void UpdateEditMenu(HWND window, HMENU editPopup, bool multiDimensional) {
  MainWindowState& program = State(window);
  HWND focus = GetFocus();
  EditMenuFacts facts;
  facts.selectionEmpty =
      SelectionIsEmpty(static_cast<std::uint32_t>(focus ? SendMessageA(focus, EM_GETSEL, 0, 0) : 0));
  facts.focusIsValueEdit = focus != nullptr && focus == program.valueEdit;
  facts.canUndo = facts.focusIsValueEdit && SendMessageA(focus, EM_CANUNDO, 0, 0) != 0;
  facts.canConvert = CanConvert(program.conversion, multiDimensional);
  const EditMenuState state = ComputeEditMenuState(facts);
  auto enable = [&](UINT id, bool on) {
    EnableMenuItem(editPopup, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
  };
  enable(IDM_CUT, state.cut);
  enable(IDM_COPY, state.copy);
  enable(IDM_PASTE, state.paste);
  enable(IDM_UNDO, state.undo);
  enable(IDM_COPY_ALL, state.copyAll);
  enable(IDM_COPY_RESULT, state.copyResult);
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* state = static_cast<MainWindowState*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    state->mainWindow = window;
  }
  MainWindowState* state = StateOf(window);
  if (state == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  const bool multi = state->MultiUnitMode();
  switch (message) {
    case WM_CREATE: return OnCreate(window);
    case WM_TIMER: OnTimer(window); return 0;
    case WM_COMMAND: return OnCommand(window, wParam, lParam);
    case WM_INITMENUPOPUP:
      if (lParam != 1) break;
      UpdateEditMenu(window, reinterpret_cast<HMENU>(wParam), multi);
      return 0;
    case WM_HELP:
    case WM_CONTEXTMENU:
      if (HandleHelpMessage(message, wParam, lParam, HelpContextTable)) return TRUE;
      break;
    case WM_KEYDOWN: NavigateByKey(window, static_cast<int>(wParam), multi); return 0;
    case WM_PAINT: OnPaint(window); return 0;
    case WM_PRINTCLIENT: state->PaintContent(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_DRAWITEM: return OnDrawItem(window, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_CTLCOLORSTATIC:
      SelectObject(reinterpret_cast<HDC>(wParam), state->Font());
      return DefWindowProcA(window, message, wParam, lParam);
    case WM_DPICHANGED:
      OnDpiChanged(window, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_CLOSE: OnClose(window); return 0;
    case WM_ENDSESSION: OnEndSession(window, wParam != FALSE); return 0;
    case WM_DESTROY:
      if (state->mainWindow == window) state->mainWindow = nullptr;
      CloseHelp();
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      // The controls are gone: nothing uses the window's font any more.
      for (HFONT* font : {&state->scaledFont, &state->retiredFont}) {
        if (*font) DeleteObject(*font);
        *font = nullptr;
      }
      break;
    default: break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterMainWindowClass(HINSTANCE instance) {
  WNDCLASSA wc{};
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = MainWndProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(instance, IDI_CONVERT_NAME);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszMenuName = IDM_CONVERT_MENU_NAME;
  wc.lpszClassName = kMainWindowClass;
  return RegisterClassA(&wc) != 0;
}

HWND CreateMainWindow(HINSTANCE instance, MainWindowState& state) {
  state.instance = instance;
  HWND window = CreateWindowExA(WS_EX_CONTEXTHELP, kMainWindowClass, "Quantora",
                                WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                nullptr, nullptr, instance, &state);
  if (window) {
    state.mainWindow = window;
    UpdateWindow(window);
  }
  return window;
}

int RunMessageLoop(HWND mainWindow) {
  HACCEL accelerators = LoadAcceleratorsA(StateOf(mainWindow)->instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (!TranslateAcceleratorA(mainWindow, accelerators, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace quantora
