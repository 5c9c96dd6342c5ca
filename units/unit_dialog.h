// What the unit selection dialog does to a slot's record, apart from the window that shows it:
// the caption, the rows it selects when it opens, what each pick writes into the record and
// what closing the dialog fixes. The dialog procedure only moves these values into and out of
// its list boxes.
#pragma once

#include <string>

#include "resources/reporter.h"
#include "units/catalog_file.h"
#include "units/quantity.h"

namespace quantora {

// The dialog's caption for the mode, the side it edits and the slot. In simple mode only
// slot 0 exists, so the slot does not change the caption there.
const char* UnitDialogCaption(bool multiDimensional, bool inputSide, int slot);

// What the three lists and "Undo Quantity" show when the dialog has been initialised.
// A row of -1 means no row is selected.
struct UnitDialogStart {
  int quantityRow = -1;    // the slot's Dimension, when it has one
  bool fillUnitList = false;  // the Unit list is filled only for a slot with a Dimension
  int multiplierRow = -1;  // the side's multiplier, or the "No_Mult" row
  int unitRow = -1;        // the side's unit, once one was picked
  int multiplierTopRow = -1;  // first visible Multiplier row; -1 leaves the list where it is
  bool undoEnabled = false;
};
UnitDialogStart StartOfUnitDialog(const QuantityRecord& record, bool inputSide,
                                  const UnitTables& tables, bool multiDimensional);

// The row the Multiplier list selects after it is filled: the first of the counted entries
// whose name begins with "No_Mult" in any letter case, or -1 when none does.
int NoMultiplierRow(const UnitTables& tables);

// The Multiplier list scrolls so that three rows above "No_Multiplier" stay in sight; a
// negative row means the list is not scrolled.
int MultiplierTopRow(const UnitTables& tables);

// "Undo Quantity" is offered only in multi-unit mode, for a slot that holds a quantity.
bool UndoQuantityEnabled(const QuantityRecord& record, bool multiDimensional);

// A pick in the Physical Quantity list: the slot takes the row's Dimension, reads its units
// (a failure leaves the previous unit list, after the reader's message) and both sides lose
// their multiplier and unit. Returns false, changing nothing, for a row that names no
// Dimension of the table.
bool PickQuantity(QuantityRecord& record, int row, const UnitTables& tables, Reporter& reporter,
                  const char* dataPath = kUnitsDataFileName);

// A pick in the Multiplier list: only the side's multiplier index changes; its factor follows
// when the dialog closes. Returns false, changing nothing, for a row outside the counted
// entries.
bool PickMultiplier(QuantityRecord& record, bool inputSide, int row, const UnitTables& tables);

// A pick in the Unit list: the side takes the unit and reads its factor and offset; when that
// read fails the side keeps the unit it had (or stays unchosen). Returns
// false, changing nothing, for a row outside the record's unit list, so that a list and a
// record that disagree can never make the dialog read past the names.
bool PickUnit(QuantityRecord& record, bool inputSide, int row, const UnitTables& tables,
              Reporter& reporter, const char* dataPath = kUnitsDataFileName);

// "Undo Quantity": the slot holds no quantity any more and both sides are reset; the unit
// names stay as they were.
void UndoQuantity(QuantityRecord& record, const UnitTables& tables);

// Closing the dialog: the edited side's label, and its multiplier factor by the square and
// cube rule. Returns the label for the main window.
std::string FinishSide(QuantityRecord& record, bool inputSide, const UnitTables& tables);

// A Unit list row: the stored name without its caret.
std::string UnitListRow(const QuantityRecord& record, int unit);

// The messages of the list fillers (title "Quantora", stop icon).
enum class DialogList { Dimension, Unit, Multiplier };
std::string CannotAddRowMessage(DialogList list, const char* rowText);
constexpr const char* kNoUnitsMessage = "ERROR: Number of Units for Units List = 0 !";
constexpr const char* kComposedErrorTitle = "Quantora";

}  // namespace quantora
