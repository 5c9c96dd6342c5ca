// Build steps:
//   help_map COMPILED.HLP HEADER OUT.HLP
// Writes OUT.HLP, the compiled manual with every "HC_" id of the resource header mapped to
// the topic of the same name, so that the viewer finds the topics the program asks for by
// number. Fails, naming the id, when the manual has no topic for one of them.
//   help_map --pages MANUAL.BUT HEADER OUT.H KEYWORD
// Writes OUT.H, the table of the page each help id opens in the manual's HTML forms, with the
// contents page and the page of the section KEYWORD (the help on help). Fails the same way.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "help/help_file.h"
#include "help/help_pages.h"

namespace {

bool ReadAll(const char* path, std::string* text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  text->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

int Fail(const std::string& why) {
  std::fprintf(stderr, "help_map: %s\n", why.c_str());
  return 1;
}

bool WriteAll(const char* path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  return static_cast<bool>(out);
}

int WritePageTable(char** argv) {
  std::string manual;
  std::string header;
  if (!ReadAll(argv[2], &manual)) return Fail(std::string("cannot read ") + argv[2]);
  if (!ReadAll(argv[3], &header)) return Fail(std::string("cannot read ") + argv[3]);
  std::vector<quantora::HelpPage> pages;
  std::string error;
  if (!quantora::FindHelpPages(manual, quantora::ReadHelpContextIds(header), &pages, &error)) {
    return Fail(std::string(argv[2]) + ": " + error);
  }
  const std::string contents = quantora::ContentsPage(manual);
  const std::string helpOnHelp = quantora::SectionPage(manual, argv[5]);
  if (contents.empty()) return Fail(std::string(argv[2]) + ": no html-contents-filename");
  if (helpOnHelp.empty()) return Fail(std::string(argv[2]) + ": no section " + argv[5]);
  std::string table =
      "// Made by help_map from the manual: the page each help id opens.\n#pragma once\n\n"
      "namespace quantora {\n\nstruct ManualPage {\n  unsigned long id;\n  const char* page;\n};\n\n"
      "constexpr ManualPage kManualPages[] = {\n";
  for (const quantora::HelpPage& p : pages) {
    table += "    {" + std::to_string(p.id.id) + ", \"" + p.page + "\"},  // " + p.id.name + "\n";
  }
  table += "};\nconstexpr const char* kManualContentsPage = \"" + contents +
           "\";\nconstexpr const char* kManualHelpOnHelpPage = \"" + helpOnHelp +
           "\";\n\n}  // namespace quantora\n";
  if (!WriteAll(argv[4], table)) return Fail(std::string("cannot write ") + argv[4]);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 6 && std::string(argv[1]) == "--pages") return WritePageTable(argv);
  if (argc != 4) return Fail("usage: help_map COMPILED.HLP HEADER OUT.HLP");
  std::string compiled;
  std::string header;
  if (!ReadAll(argv[1], &compiled)) return Fail(std::string("cannot read ") + argv[1]);
  if (!ReadAll(argv[2], &header)) return Fail(std::string("cannot read ") + argv[2]);
  const auto ids = quantora::ReadHelpContextIds(header);
  if (ids.empty()) return Fail(std::string("no HC_ ids in ") + argv[2]);

  quantora::Bytes mapped;
  std::string error;
  if (!quantora::AddContextNumberMap(quantora::Bytes(compiled.begin(), compiled.end()), ids,
                                     &mapped, &error)) {
    return Fail(std::string(argv[1]) + ": " + error);
  }
  std::ofstream out(argv[3], std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(mapped.data()),
            static_cast<std::streamsize>(mapped.size()));
  out.close();
  if (!out) return Fail(std::string("cannot write ") + argv[3]);
  std::printf("help_map: %zu help ids mapped in %s\n", ids.size(), argv[3]);
  return 0;
}
