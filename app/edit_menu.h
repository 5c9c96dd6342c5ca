// Which items of the Edit popup are enabled. The popup is recomputed each time it opens, from
// four facts the shell gathers; nothing else decides.
#pragma once

#include <cstdint>

namespace quantora {

struct EditMenuFacts {
  bool focusIsValueEdit = false;  // the keyboard focus is the value edit (control 500)
  bool selectionEmpty = true;     // the focused window's selection is empty (or it has none)
  bool canUndo = false;           // the value edit can undo (asked only when it has the focus)
  bool canConvert = false;        // a conversion is possible in the current mode
};

struct EditMenuState {
  bool undo = false;
  bool cut = false;
  bool copy = false;
  bool paste = false;
  bool copyResult = false;
  bool copyAll = false;
};

inline bool operator==(const EditMenuState& a, const EditMenuState& b) {
  return a.undo == b.undo && a.cut == b.cut && a.copy == b.copy && a.paste == b.paste &&
         a.copyResult == b.copyResult && a.copyAll == b.copyAll;
}

// Only the value edit can be changed from the menu; any other focused window (the read-only
// result edit or a label) can at most be copied from.
EditMenuState ComputeEditMenuState(const EditMenuFacts& facts);

// Reads the answer to "get selection": the start in the low word, the end in the high word,
// compared as 16-bit values. A window that does not answer gives 0, which counts as empty.
bool SelectionIsEmpty(std::uint32_t getSelectionResult);

}  // namespace quantora
