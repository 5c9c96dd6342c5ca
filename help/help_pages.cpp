#include "help/help_pages.h"

#include <cctype>
#include <cstring>

namespace quantora {

namespace {

// The text between the braces that open at text[at]; empty when text[at] is no '{'.
std::string_view Braced(std::string_view text, std::size_t at) {
  if (at >= text.size() || text[at] != '{') return {};
  const std::size_t end = text.find('}', at);
  return end == std::string_view::npos ? std::string_view{} : text.substr(at + 1, end - at - 1);
}

// Calls visit(keyword, line) for each line of the manual, keyword being that of the section
// the line stands in (empty before the first). Section commands are \C, \A, \U, \H, \S and
// \S2, \S3 and so on.
template <typename Visit>
void ForEachLine(std::string_view manual, Visit visit) {
  std::string_view keyword;
  while (!manual.empty()) {
    const std::size_t end = manual.find('\n');
    const std::string_view line = manual.substr(0, end);
    manual = end == std::string_view::npos ? std::string_view{} : manual.substr(end + 1);
    if (line.size() > 2 && line[0] == '\\' && std::strchr("CAUHS", line[1])) {
      std::size_t at = 2;
      if (line[1] == 'S') {
        while (at < line.size() && std::isdigit(static_cast<unsigned char>(line[at]))) ++at;
      }
      if (at < line.size() && line[at] == '{') keyword = Braced(line, at);
    }
    visit(keyword, line);
  }
}

std::string PageOf(std::string_view keyword) { return std::string(keyword) + ".html"; }

}  // namespace

bool FindHelpPages(std::string_view manual, const std::vector<HelpContextId>& ids,
                   std::vector<HelpPage>* pages, std::string* error) {
  pages->clear();
  for (const HelpContextId& id : ids) {
    const std::string topic = "\\cfg{winhelp-topic}{" + id.name + "}";
    std::string page;
    ForEachLine(manual, [&](std::string_view keyword, std::string_view line) {
      if (page.empty() && !keyword.empty() && line.substr(0, topic.size()) == topic) {
        page = PageOf(keyword);
      }
    });
    if (page.empty()) {
      *error = id.name + " (" + std::to_string(id.id) + "): no section of the manual is its topic";
      return false;
    }
    pages->push_back({id, page});
  }
  return true;
}

std::string SectionPage(std::string_view manual, std::string_view keyword) {
  bool found = false;
  ForEachLine(manual, [&](std::string_view k, std::string_view) { found |= k == keyword; });
  return found ? PageOf(keyword) : std::string();
}

std::string ContentsPage(std::string_view manual) {
  const std::string_view cfg = "\\cfg{html-contents-filename}";
  const std::size_t at = manual.find(cfg);
  return at == std::string_view::npos ? std::string()
                                      : std::string(Braced(manual, at + cfg.size()));
}

}  // namespace quantora
