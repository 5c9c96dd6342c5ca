// Runs the real program in the test process: a main window created from a settings file and
// a units catalogue of the test's own, driven with messages, its message boxes captured.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "app/main_window_state_win.h"
#include "testing/recording_reporter_test_util.h"
#include "testing/text_file_test_util.h"

namespace quantora {
namespace testing {

// Slot 0 converts feet to meters, every other slot is empty. Keys in lastUsed come first in
// [LAST_USED], so they win over the defaults after them; sections follow the slots.
std::string FeetToMetersIni(const std::string& lastUsed = "", const std::string& sections = "");

class TestProgram {
 public:
  // Writes the settings file into a fresh temporary directory (an empty text writes none),
  // points the program at it and at the units data file (the shared test catalogue, or none
  // for an empty path), creates the main window and lets the start-up timer run.
  // A command line, when given, is the text the program was started with.
  explicit TestProgram(const std::string& ini = FeetToMetersIni(),
                       const std::string& dataFile = kTestCataloguePath,
                       const std::string& commandLine = "");
  ~TestProgram();  // destroys the window without saving and removes the files
  TestProgram(const TestProgram&) = delete;
  TestProgram& operator=(const TestProgram&) = delete;

  HWND window() const { return state_.mainWindow; }  // nullptr once the program ended
  MainWindowState& state() { return state_; }
  RecordingReporter& reporter() { return reporter_; }
  // Processes messages as the program's loop does until none is left.
  void Pump();
  std::string Text(int controlId) const;
  std::string ReadIni() const;  // "" when there is no settings file

 private:
  std::string directory_;
  RecordingReporter reporter_;
  MainWindowState state_;
};

// Posts the message that opens a modal dialog to the main window or one of its controls, and
// calls steps(dialog) from inside the dialog's own loop once it has shown and initialised
// itself. False when no dialog appeared, or when the steps left it open (it is then ended so
// that the run goes on).
bool RunDialog(HWND window, UINT message, WPARAM wParam,
               const std::function<void(HWND dialog)>& steps);

// Runs action, during which the program opens a modal dialog of its own, and calls
// steps(dialog) as RunDialog does. False as for RunDialog.
bool RunDialogDuring(const std::function<void()>& action,
                     const std::function<void(HWND dialog)>& steps);

// A key pressed in a control of a dialog, as the modal loop hands it to the dialog manager.
void PressDialogKey(HWND dialog, HWND control, WPARAM key);

}  // namespace testing
}  // namespace quantora
