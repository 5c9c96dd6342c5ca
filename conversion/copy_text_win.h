// Copy Result and Copy All: the main window's texts read back from its controls, composed into
// one line and put on the clipboard as CF_TEXT.
#pragma once

#include <windows.h>

#include <string>

#include "conversion/conversion.h"
#include "resources/reporter.h"

namespace quantora {

// The handlers test nothing: they copy whatever the controls show. Messages go to reporter.
void CopyResult(HWND mainWindow, const ConversionState& state, const UnitTables& tables,
                bool multiDimensional, Reporter& reporter);
void CopyAll(HWND mainWindow, const ConversionState& state, const UnitTables& tables,
             bool multiDimensional, Reporter& reporter);

// Places a copy of text on the clipboard, owned by owner. When the memory block cannot be had:
// a beep and the "Low Memory Error" message, and the clipboard keeps what it held.
void PutTextOnClipboard(HWND owner, const std::string& text, Reporter& reporter);

}  // namespace quantora
