#include "units/unit_dialog_win.h"


#include <string>

#include "resources/convert.h"
#include "shell/help_win.h"
#include "shell/reporter_win.h"
#include "shell/subclass_win.h"
#include "units/catalog_file.h"
#include "units/unit_dialog.h"

namespace quantora {
namespace {

// The dialog fills its lists on its first timer tick, once it is on screen; the one-shot
// timer shares the id 311 with the main window's start timer.
constexpr UINT_PTR kInitTimer = IDT_UNIT_DIALOG_INIT;
constexpr UINT kInitDelayMs = 1;

const DWORD kHelpTable[] = {
    IDC_QUANTITY_CAPTION,   HC_QUANTITY,   IDC_QUANTITY_LIST, HC_QUANTITY,
    IDC_MULTIPLIER_CAPTION, HC_MULTIPLIER, IDC_MULTIPLIER_LIST, HC_MULTIPLIER,
    IDC_UNIT_CAPTION,       HC_UNIT,       IDC_UNIT_LIST,     HC_UNIT,
    IDC_UNDO_QUANTITY,      HC_UNDO_QUANTITY,
    IDC_FIND_CAPTION,       HC_FIND_UNIT,  IDC_FIND_EDIT,     HC_FIND_UNIT,
    IDC_FIND_MATCH,         HC_FIND_UNIT,
    0, 0};

UnitDialogContext& Context(HWND dialog) {
  return *reinterpret_cast<UnitDialogContext*>(GetWindowLongPtrA(dialog, DWLP_USER));
}
QuantityRecord& Record(HWND dialog) { return *Context(dialog).record; }
bool InputSide(HWND dialog) { return Context(dialog).inputSide; }
const UnitTables& Tables(HWND dialog) { return *Context(dialog).tables; }
const char* DataPath(HWND dialog) { return Context(dialog).dataPath; }

void ShowLabel(HWND dialog, int labelId, const char* text) {
  const UnitDialogContext& context = Context(dialog);
  if (context.showLabel) context.showLabel(labelId, text);
}

void ShowListError(HWND dialog, const std::string& text) {
  ReporterFor reporter(dialog, Context(dialog).reporter);
  BeepAndShow(reporter.get(), kBeepDefault, text, kComposedErrorTitle, kStyleStop);
}

bool RowRefused(LRESULT result) { return result == LB_ERR || result == LB_ERRSPACE; }

int CurrentRow(HWND dialog, int listId) {
  return static_cast<int>(SendDlgItemMessageA(dialog, listId, LB_GETCURSEL, 0, 0));
}

void SelectRow(HWND dialog, int listId, int row) {
  SendDlgItemMessageA(dialog, listId, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
}

// A quantity pick and "Undo Quantity" discard the units of both sides of the slot, so both of
// its labels in the main window go blank at once.
void EmptyBothLabels(HWND dialog) {
  const QuantityRecord& record = Record(dialog);
  ShowLabel(dialog, record.Input.LabelId, "");
  ShowLabel(dialog, record.Output.LabelId, "");
}

void FillDimensionList(HWND dialog, int id) {
  HWND list = GetDlgItem(dialog, id);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  const UnitTables& tables = Tables(dialog);
  const int count = tables.NumberOfDimensions < kMaxDimensions ? tables.NumberOfDimensions
                                                               : kMaxDimensions;
  for (int i = 0; i < count; ++i) {
    const char* label = tables.DimensionLabels[i];
    if (RowRefused(SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label)))) {
      ShowListError(dialog, CannotAddRowMessage(DialogList::Dimension, label));
      return;
    }
  }
}

void FillMultiplierList(HWND dialog, int id, int count) {
  HWND list = GetDlgItem(dialog, id);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  if (count < 1) {
    ReporterFor reporter(dialog, Context(dialog).reporter);
    ReportNoMultipliers(reporter.get());
    return;
  }
  if (count > kMaxScalers) count = kMaxScalers;
  const UnitTables& tables = Tables(dialog);
  for (int i = 0; i < count; ++i) {
    const char* name = tables.Scalers[i].Name;
    if (RowRefused(SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name)))) {
      ShowListError(dialog, CannotAddRowMessage(DialogList::Multiplier, name));
      return;
    }
  }
  SendMessageA(list, LB_SELECTSTRING, static_cast<WPARAM>(-1),
               reinterpret_cast<LPARAM>("No_Mult"));
  // Three prefixes above "No_Multiplier" stay in sight; near the top the list stays put.
  const int top = MultiplierTopRow(tables);
  if (top >= 0) SendMessageA(list, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
}

void FillUnitList(HWND dialog, int id) {
  HWND list = GetDlgItem(dialog, id);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  const QuantityRecord& record = Record(dialog);
  if (record.NumberOfUnits < 1) {
    ShowListError(dialog, kNoUnitsMessage);
    return;
  }
  const int count = record.NumberOfUnits < kMaxUnits ? record.NumberOfUnits : kMaxUnits;
  for (int i = 0; i < count; ++i) {
    const std::string row = UnitListRow(record, i);
    if (RowRefused(SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(i),
                                reinterpret_cast<LPARAM>(row.c_str())))) {
      ShowListError(dialog, CannotAddRowMessage(DialogList::Unit, record.UnitNames[i]));
      return;
    }
  }
}

void Initialise(HWND dialog) {
  const UnitDialogContext& context = Context(dialog);
  const bool inputSide = context.inputSide;
  SetWindowTextA(dialog, UnitDialogCaption(context.multiUnit, inputSide, context.slot));
  FillDimensionList(dialog, IDC_QUANTITY_LIST);
  FillMultiplierList(dialog, IDC_MULTIPLIER_LIST, Tables(dialog).NumberOfScalers);

  const UnitDialogStart start =
      StartOfUnitDialog(Record(dialog), inputSide, Tables(dialog), context.multiUnit);
  if (start.multiplierRow >= 0) SelectRow(dialog, IDC_MULTIPLIER_LIST, start.multiplierRow);
  if (start.fillUnitList) {
    if (start.quantityRow >= 0) SelectRow(dialog, IDC_QUANTITY_LIST, start.quantityRow);
    FillUnitList(dialog, IDC_UNIT_LIST);
  }
  if (start.unitRow >= 0) SelectRow(dialog, IDC_UNIT_LIST, start.unitRow);
  EnableWindow(GetDlgItem(dialog, IDC_UNDO_QUANTITY), start.undoEnabled ? TRUE : FALSE);
}

void OnQuantityPicked(HWND dialog) {
  ReporterFor reporter(dialog, Context(dialog).reporter);
  if (!PickQuantity(Record(dialog), CurrentRow(dialog, IDC_QUANTITY_LIST), Tables(dialog),
                    reporter.get(), DataPath(dialog))) {
    return;
  }
  // After a failed read the list shows the units the record still holds.
  FillUnitList(dialog, IDC_UNIT_LIST);
  FillMultiplierList(dialog, IDC_MULTIPLIER_LIST, Tables(dialog).NumberOfScalers);
  EmptyBothLabels(dialog);
}

void OnMultiplierPicked(HWND dialog) {
  PickMultiplier(Record(dialog), InputSide(dialog), CurrentRow(dialog, IDC_MULTIPLIER_LIST),
                 Tables(dialog));
}

void OnUnitPicked(HWND dialog) {
  ReporterFor reporter(dialog, Context(dialog).reporter);
  const bool inputSide = InputSide(dialog);
  PickUnit(Record(dialog), inputSide, CurrentRow(dialog, IDC_UNIT_LIST), Tables(dialog),
           reporter.get(), DataPath(dialog));
  // A unit that could not be read was not taken: the list goes back to the side's own unit.
  const UnitSelection& side = Side(Record(dialog), inputSide);
  SelectRow(dialog, IDC_UNIT_LIST, side.UnitSelected ? side.UnitIndex : -1);
}

void OnUndoQuantity(HWND dialog) {
  // The button is offered only where undoing makes sense; a command that reaches a disabled
  // button is not the user's.
  if (!IsWindowEnabled(GetDlgItem(dialog, IDC_UNDO_QUANTITY))) return;
  UndoQuantity(Record(dialog), Tables(dialog));
  EmptyBothLabels(dialog);
  SendMessageA(dialog, WM_CLOSE, 0, 0);
}

// The find field: typing shows the first match, Down and Up step through the matches; Enter
// takes the shown one as clicks on its three rows would.
void ShowFindLine(HWND dialog) {
  SetDlgItemTextA(dialog, IDC_FIND_MATCH, Context(dialog).finder.Line(Tables(dialog)).c_str());
}

void OnFindChanged(HWND dialog) {
  HWND edit = GetDlgItem(dialog, IDC_FIND_EDIT);
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(edit)) + 1, '\0');
  const int length = GetWindowTextA(edit, &text[0], static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
  Context(dialog).finder.Type(text, Tables(dialog), Record(dialog).DimensionIndex,
                              DataPath(dialog));
  ShowFindLine(dialog);
}

void StepFind(HWND dialog, int delta) {
  Context(dialog).finder.Step(delta);
  ShowFindLine(dialog);
}

void TakeShownMatch(HWND dialog) {
  const UnitFinder& finder = Context(dialog).finder;
  if (finder.Shown() == nullptr) return;
  const UnitMatch match = *finder.Shown();
  if (match.quantity != Record(dialog).DimensionIndex) {
    SelectRow(dialog, IDC_QUANTITY_LIST, match.quantity);
    OnQuantityPicked(dialog);
  }
  // Should the catalogue have changed since it was searched, the unit at that row is another.
  if (!finder.Lists(Record(dialog), match)) return;
  SelectRow(dialog, IDC_MULTIPLIER_LIST, match.multiplier);
  OnMultiplierPicked(dialog);
  SelectRow(dialog, IDC_UNIT_LIST, match.unit);
  OnUnitPicked(dialog);
}

// Enter and Escape (the latter only while there is text to clear) are the field's own keys;
// anywhere else in the dialog they stay the dialog's.
bool FindFieldKey(HWND edit, WPARAM key) {
  return key == VK_RETURN || (key == VK_ESCAPE && GetWindowTextLengthA(edit) > 0);
}

LRESULT CALLBACK FindEditFilter(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND dialog = GetParent(edit);
  switch (message) {
    case WM_GETDLGCODE: {
      const MSG* msg = reinterpret_cast<const MSG*>(lParam);
      LRESULT code = CallControlProcedure(edit, message, wParam, lParam);
      if (msg != nullptr && msg->message == WM_KEYDOWN && FindFieldKey(edit, msg->wParam)) {
        code |= DLGC_WANTMESSAGE;
      }
      return code;
    }
    case WM_KEYDOWN:
      if (wParam == VK_RETURN) {
        TakeShownMatch(dialog);
        return 0;
      }
      if (wParam == VK_ESCAPE) {
        SetWindowTextA(edit, "");
        return 0;
      }
      if (wParam == VK_DOWN || wParam == VK_UP) {
        StepFind(dialog, wParam == VK_DOWN ? 1 : -1);
        return 0;
      }
      break;
    case WM_CHAR:
      if (wParam == '\r' || wParam == VK_ESCAPE) return 0;  // no beep for the keys taken above
      break;
    default:
      break;
  }
  return CallControlProcedure(edit, message, wParam, lParam);
}

// No cancel: every pick has already taken effect, so IDCANCEL (Escape) is not handled and the
// dialog stays open.
void OnCommand(HWND dialog, int id, int notification) {
  switch (id) {
    case IDC_QUANTITY_LIST:
      if (notification == LBN_SELCHANGE) OnQuantityPicked(dialog);
      break;
    case IDC_MULTIPLIER_LIST:
      if (notification == LBN_SELCHANGE) OnMultiplierPicked(dialog);
      break;
    case IDC_UNIT_LIST:
      if (notification == LBN_SELCHANGE) OnUnitPicked(dialog);
      break;
    case IDC_UNIT_OK:
      SendMessageA(dialog, WM_CLOSE, 0, 0);
      break;
    case IDC_UNDO_QUANTITY:
      OnUndoQuantity(dialog);
      break;
    case IDC_FIND_EDIT:
      if (notification == EN_CHANGE) OnFindChanged(dialog);
      break;
    default:
      break;
  }
}

// OK, "Undo Quantity", the close box and the system menu all end here: the edited side gets
// its label and its multiplier factor, and the main window shows the new result.
void OnClose(HWND dialog) {
  const UnitDialogContext& context = Context(dialog);
  QuantityRecord& record = *context.record;
  const std::string label = FinishSide(record, context.inputSide, *context.tables);
  ShowLabel(dialog, Side(record, context.inputSide).LabelId, label.c_str());
  if (context.resultChanged) context.resultChanged();
  EndDialog(dialog, 0);
}

void OnTimer(HWND dialog, UINT_PTR timer) {
  if (timer != kInitTimer) return;
  KillTimer(dialog, kInitTimer);
  Initialise(dialog);
}

}  // namespace

INT_PTR CALLBACK UnitSelectionDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  // Nothing is done before WM_INITDIALOG has brought the context.
  if (message != WM_INITDIALOG && GetWindowLongPtrA(dialog, DWLP_USER) == 0) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      SubclassControl(GetDlgItem(dialog, IDC_FIND_EDIT), FindEditFilter);
      SetTimer(dialog, kInitTimer, kInitDelayMs, nullptr);
      return TRUE;
    case WM_TIMER:
      OnTimer(dialog, wParam);
      return FALSE;
    case WM_COMMAND:
      OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
      return FALSE;
    case WM_CLOSE:
      OnClose(dialog);
      return TRUE;
    case WM_HELP:
    case WM_CONTEXTMENU:
      return HandleHelpMessage(message, wParam, lParam, kHelpTable);
    default:
      return FALSE;
  }
}

}  // namespace quantora
