#include "help/help_viewer.h"

#include <algorithm>

namespace quantora {

namespace {

// "\\server\share\..." and "\\?\UNC\server\share\..." lie on a share; "\\?\C:\..." is the long
// form of a local path.
bool OnShare(std::wstring path) {
  std::replace(path.begin(), path.end(), L'/', L'\\');
  if (path.compare(0, 4, L"\\\\?\\") == 0 || path.compare(0, 4, L"\\\\.\\") == 0) {
    path.erase(0, 4);
    return path.compare(0, 4, L"UNC\\") == 0;
  }
  return path.compare(0, 2, L"\\\\") == 0;
}

}  // namespace

bool HtmlHelpCanShow(const HtmlHelpFile& file) {
  return !file.path.empty() && !file.zoneMark && !file.remoteDrive && !OnShare(file.path) &&
         file.path.find(L'#') == std::wstring::npos;
}

HelpViewer ChooseHelpViewer(HelpViewer setting, const HelpPlatform& platform,
                            const HtmlHelpFile& chm) {
  if (setting != HelpViewer::kAuto) return setting;
  if (platform.underWine) return HelpViewer::kBrowser;
  if (platform.windowsMajorVersion < 6) return HelpViewer::kWinHelp;
  return HtmlHelpCanShow(chm) ? HelpViewer::kHtmlHelp : HelpViewer::kBrowser;
}

}  // namespace quantora
