// The pages of the manual's web and HTML Help forms that the program opens for its help ids.
//
// The manual gives every section a keyword (\H{value}), and its HTML forms put each section
// on a page of its own named after the keyword ("value.html"). A section that carries
// \cfg{winhelp-topic}{HC_VALUE} is the topic of that help id, so the id's page is found in
// the manual source itself; the build writes the table the program looks pages up in.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "help/help_file.h"

namespace quantora {

struct HelpPage {
  HelpContextId id;
  std::string page;  // "value.html"
};

// The page of every id, in the order of ids. False, naming the first id without a topic (or
// a topic outside any section), when the manual lacks one.
bool FindHelpPages(std::string_view manual, const std::vector<HelpContextId>& ids,
                   std::vector<HelpPage>* pages, std::string* error);

// The page of the section with the given keyword; empty when the manual has no such section.
std::string SectionPage(std::string_view manual, std::string_view keyword);

// The manual's contents page, \cfg{html-contents-filename}; empty when the manual sets none.
std::string ContentsPage(std::string_view manual);

}  // namespace quantora
