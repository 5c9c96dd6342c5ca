#include "help/help_viewer.h"

#include <gtest/gtest.h>

#include <tuple>

namespace quantora {
namespace {

TEST(HelpViewerChoice, AutoTakesAViewerThatShowsThePagesAndAChosenOneStays) {
  using V = HelpViewer;
  const HelpPlatform wine{true, 10}, xp{false, 5}, vista{false, 6}, win10{false, 10};
  const HtmlHelpFile local{L"C:\\Quantora\\QUANTORA.CHM"};
  const std::tuple<V, HelpPlatform, HtmlHelpFile, V> rows[] = {
      {V::kAuto, wine, local, V::kBrowser}, {V::kAuto, xp, local, V::kWinHelp},
      {V::kAuto, vista, local, V::kHtmlHelp}, {V::kAuto, win10, {}, V::kBrowser},
      {V::kAuto, win10, {L"\\\\?\\C:\\Q\\QUANTORA.CHM"}, V::kHtmlHelp},
      {V::kAuto, win10, {L"\\\\.\\D:\\Q\\QUANTORA.CHM"}, V::kHtmlHelp},
      {V::kAuto, win10, {local.path, true}, V::kBrowser},
      {V::kAuto, win10, {local.path, false, true}, V::kBrowser},
      {V::kAuto, win10, {L"//server/tools/QUANTORA.CHM"}, V::kBrowser},
      {V::kAuto, win10, {L"\\\\?\\UNC\\server\\tools\\QUANTORA.CHM"}, V::kBrowser},
      {V::kAuto, win10, {L"C:\\C#\\QUANTORA.CHM"}, V::kBrowser},
      {V::kHtmlHelp, wine, {L"\\\\server\\tools\\QUANTORA.CHM"}, V::kHtmlHelp},
  };
  for (const auto& row : rows) {
    const auto& [setting, platform, chm, chosen] = row;
    EXPECT_EQ(ChooseHelpViewer(setting, platform, chm), chosen) << "row " << &row - rows;
  }
}

}  // namespace
}  // namespace quantora
