#include "help/help_viewer.h"

#include <gtest/gtest.h>

namespace quantora {
namespace {

using V = HelpViewer;

TEST(HelpViewerChoice, AutoTakesAViewerThatShowsThePagesAndAChosenOneStays) {
  const HelpPlatform wine{true, 10}, xp{false, 5}, vista{false, 6}, win10{false, 10};
  const HtmlHelpFile local{L"C:\\Program Files\\Quantora\\QUANTORA.CHM"};
  const struct {
    V setting;
    HelpPlatform platform;
    HtmlHelpFile chm;
    V chosen;
  } rows[] = {
      {V::kAuto, wine, local, V::kBrowser},
      {V::kAuto, xp, local, V::kWinHelp},
      {V::kAuto, vista, local, V::kHtmlHelp},
      {V::kAuto, win10, {L"\\\\?\\C:\\Quantora\\QUANTORA.CHM"}, V::kHtmlHelp},
      {V::kAuto, win10, {L"\\\\.\\D:\\Quantora\\QUANTORA.CHM"}, V::kHtmlHelp},
      {V::kAuto, win10, {}, V::kBrowser},
      {V::kAuto, win10, {local.path, true}, V::kBrowser},
      {V::kAuto, win10, {L"Q:\\Quantora\\QUANTORA.CHM", false, true}, V::kBrowser},
      {V::kAuto, win10, {L"\\\\server\\tools\\QUANTORA.CHM"}, V::kBrowser},
      {V::kAuto, win10, {L"//server/tools/QUANTORA.CHM"}, V::kBrowser},
      {V::kAuto, win10, {L"\\\\?\\UNC\\server\\tools\\QUANTORA.CHM"}, V::kBrowser},
      {V::kAuto, win10, {L"C:\\Tools\\C#\\QUANTORA.CHM"}, V::kBrowser},
      {V::kHtmlHelp, wine, {L"\\\\server\\tools\\QUANTORA.CHM"}, V::kHtmlHelp},
      {V::kWinHelp, win10, local, V::kWinHelp},
      {V::kBrowser, xp, local, V::kBrowser},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(ChooseHelpViewer(row.setting, row.platform, row.chm), row.chosen)
        << std::string(row.chm.path.begin(), row.chm.path.end()) << " zone mark "
        << row.chm.zoneMark << " remote " << row.chm.remoteDrive << " Windows "
        << row.platform.windowsMajorVersion << (row.platform.underWine ? " Wine" : "");
  }
}

}  // namespace
}  // namespace quantora
