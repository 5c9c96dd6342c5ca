// Runs the real program in the test process: a main window created from a settings file and
// a units catalogue of the test's own, driven with messages, its message boxes captured.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "app/main_window_state_win.h"
#include "units/recording_reporter.h"

namespace quantora {
namespace testing {

std::string DefaultIni();        // "[GENERAL]" with FilePresent=TRUE, nothing else
std::string DefaultCatalogue();  // Length, Area, Volume, Temperature, Speed and multipliers

class TestProgram {
 public:
  // Writes the files into a fresh temporary directory (an empty text writes no file), points
  // the program at them, creates the main window and lets the start-up timer run.
  explicit TestProgram(const std::string& ini = DefaultIni(),
                       const std::string& catalogue = DefaultCatalogue());
  ~TestProgram();  // destroys the window without saving and removes the files
  TestProgram(const TestProgram&) = delete;
  TestProgram& operator=(const TestProgram&) = delete;

  HWND window() const;  // nullptr when the program ended (a failed start, a close)
  MainWindowState& state() { return state_; }
  RecordingReporter& reporter() { return reporter_; }
  // Processes messages, with the accelerator table as the program's loop does, until none
  // is left (at most milliseconds).
  void Pump(int milliseconds = 1000);
  std::string Text(int controlId) const;
  std::string IniPath() const { return directory_ + "\\QUANTORA.INI"; }
  std::string ReadIni() const;
  bool Closed() const { return window() == nullptr; }

 private:
  std::string directory_;
  RecordingReporter reporter_;
  MainWindowState state_;
};

// Posts a command that opens a modal dialog and calls steps(dialog) from inside the dialog's
// own loop once it has shown and initialised itself. Returns false when no dialog appeared
// or it was still open after a few seconds (it is then ended so the run goes on).
bool RunDialog(HWND mainWindow, int commandId, const std::function<void(HWND dialog)>& steps);
// The same with any action that opens the dialog (a key, a click).
bool RunDialogAfter(HWND mainWindow, const std::function<void()>& open,
                    const std::function<void(HWND dialog)>& steps);

// Processes messages as the program's loop does until done() holds; false when it still
// does not after milliseconds.
bool PumpUntil(const std::function<bool()>& done, int milliseconds = 5000);

// A key pressed in a control of a dialog, as the modal loop hands it to the dialog manager.
void PressDialogKey(HWND dialog, HWND control, WPARAM key);

// Reads a file whole; "" when it does not exist.
std::string ReadFileText(const std::string& path);
bool FileExists(const std::string& path);

}  // namespace testing
}  // namespace quantora
