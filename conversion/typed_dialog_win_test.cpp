// A whole conversion typed into its dialog, or given on the command line, and what the main
// window then shows.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "resources/convert.h"
#include "testing/window_test_support_win.h"

namespace quantora {
namespace {

std::string DialogText(HWND dialog, int id) {
  char text[256] = {};
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

// Typed and applied with Enter, once in each mode; Escape changes nothing. The window shows
// the units, the value and the result as after picking them by hand.
TEST(TypedDialogWin, EnterAppliesTheTypedConversion) {
  const struct {
    const char* typed;
    WPARAM key;
    const char* line;
    bool multiUnit;
    const char* labels;  // input and output of slot 0, then of slot 3
    const char* value;
    const char* result;
  } rows[] = {
      {"2 meter to foot", VK_RETURN, "2 meter = 6.5617 foot", false, "meter foot  ", "2.0000",
       "6.5617"},
      {"36 kilometer/hour to meter/second", VK_RETURN,
       "36 kilometer per hour = 10.000 meter per second", true, "kilometer meter hour second",
       "36.000", "10.000"},
      {"2 meter to foot", VK_ESCAPE, "2 meter = 6.5617 foot", false, "foot meter  ", "1.0000",
       "304.80 E-3"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.typed);
    testing::TestProgram program(
        testing::FeetToMetersIni("InputValue=1\r\nInputValuePresent=TRUE\r\n"));
    std::string line;
    EXPECT_TRUE(testing::RunDialog(program.window(), WM_COMMAND, IDM_TYPE_CONVERSION,
                                   [&](HWND dialog) {
                                     HWND edit = GetDlgItem(dialog, IDC_TYPED_EDIT);
                                     SetWindowTextA(edit, row.typed);
                                     line = DialogText(dialog, IDC_TYPED_LINE);
                                     testing::PressDialogKey(dialog, edit, row.key);
                                   }));
    EXPECT_EQ(line, row.line);
    EXPECT_EQ(program.state().MultiUnitMode(), row.multiUnit);
    EXPECT_EQ(program.Text(IDC_INPUT_LABEL_FIRST) + " " + program.Text(IDC_OUTPUT_LABEL_FIRST) +
                  " " + program.Text(IDC_INPUT_LABEL_FIRST + 3) + " " +
                  program.Text(IDC_OUTPUT_LABEL_FIRST + 3),
              row.labels);
    EXPECT_EQ(program.Text(IDC_VALUE_EDIT), row.value);
    EXPECT_EQ(program.Text(IDC_RESULT_EDIT), row.result);
  }
}

// A command line that reads starts with its conversion; one that does not starts as usual
// and opens the dialog with the text and the reason.
TEST(TypedDialogWin, StartsWithTheCommandLine) {
  testing::TestProgram started(testing::FeetToMetersIni(), testing::kTestCataloguePath,
                               "2 meter to foot");
  EXPECT_EQ(started.Text(IDC_RESULT_EDIT), "6.5617");

  std::unique_ptr<testing::TestProgram> program;
  std::string text, line;
  EXPECT_TRUE(testing::RunDialogDuring(
      [&] {
        program = std::make_unique<testing::TestProgram>(
            testing::FeetToMetersIni(), testing::kTestCataloguePath, "2 parsec to foot");
      },
      [&](HWND dialog) {
        text = DialogText(dialog, IDC_TYPED_EDIT);
        line = DialogText(dialog, IDC_TYPED_LINE);
        testing::PressDialogKey(dialog, GetFocus(), VK_ESCAPE);
      }));
  EXPECT_EQ(text, "2 parsec to foot");
  EXPECT_EQ(line, "Unknown unit \"parsec\"");
  EXPECT_EQ(program->Text(IDC_INPUT_LABEL_FIRST), "foot");
}

}  // namespace
}  // namespace quantora
