#include "conversion/copy_text_win.h"

#include <cstring>

#include "conversion/copy_text.h"
#include "resources/convert.h"

namespace quantora {
namespace {

constexpr const char* kLowMemoryText =
    "Sorry, there is not enough free memory to copy data to clipboard!";
constexpr const char* kLowMemoryTitle = "Low Memory Error";

// Line 0 of an edit control, with room for kControlTextLimit characters; the count the
// control returns marks the end (EM_GETLINE writes no terminating zero).
std::string EditLine(HWND window, int id) {
  char buffer[kControlTextLimit + 1] = {};
  const WORD room = kControlTextLimit;
  std::memcpy(buffer, &room, sizeof room);
  const LRESULT copied =
      SendDlgItemMessageA(window, id, EM_GETLINE, 0, reinterpret_cast<LPARAM>(buffer));
  if (copied <= 0) return std::string();
  return std::string(buffer, static_cast<std::size_t>(copied < kControlTextLimit ? copied
                                                                                  : kControlTextLimit));
}

ShownTexts ReadShownTexts(HWND mainWindow) {
  ShownTexts shown;
  shown.value = EditLine(mainWindow, IDC_VALUE_EDIT);
  shown.result = EditLine(mainWindow, IDC_RESULT_EDIT);
  shown.inputLabel = EditLine(mainWindow, IDC_INPUT_LABEL_FIRST);
  shown.outputLabel = EditLine(mainWindow, IDC_OUTPUT_LABEL_FIRST);
  return shown;
}

}  // namespace

void CopyResult(HWND mainWindow, const ConversionState& state, const UnitTables& tables,
                bool multiDimensional, Reporter& reporter) {
  PutTextOnClipboard(
      mainWindow, CopyResultText(ReadShownTexts(mainWindow), state, tables, multiDimensional),
      reporter);
}

void CopyAll(HWND mainWindow, const ConversionState& state, const UnitTables& tables,
             bool multiDimensional, Reporter& reporter) {
  PutTextOnClipboard(mainWindow,
                     CopyAllText(ReadShownTexts(mainWindow), state, tables, multiDimensional),
                     reporter);
}

void PutTextOnClipboard(HWND owner, const std::string& text, Reporter& reporter) {
  // Zero-initialised, so the copy needs no terminating zero of its own.
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, text.size() + 1);
  char* bytes = block ? static_cast<char*>(GlobalLock(block)) : nullptr;
  if (bytes == nullptr) {
    if (block) GlobalFree(block);
    BeepAndShow(reporter, kBeepHand, kLowMemoryText, kLowMemoryTitle, kStyleStop);
    return;
  }
  std::memcpy(bytes, text.data(), text.size());
  GlobalUnlock(block);
  // From SetClipboardData on, the block is the clipboard's. When the clipboard cannot be
  // opened the text is not placed and nothing is reported; the block is then still ours.
  if (!OpenClipboard(owner)) {
    GlobalFree(block);
    return;
  }
  EmptyClipboard();
  if (!SetClipboardData(CF_TEXT, block)) GlobalFree(block);
  CloseClipboard();
}

}  // namespace quantora
