// Reading and extending the help file QUANTORA.HLP at build time.
//
// The manual is written once and compiled into a WinHelp file that names its topics by
// context strings (the manual's topic for the value field is called "HC_VALUE"). The program
// asks the viewer for numbers (HELP_CONTEXT 5040), which the viewer looks up in the file's
// context-number map, the internal file "|CTXOMAP". The compiler writes no such map, so the
// build adds it: every help id the resource header defines is mapped to the topic that bears
// its name. The program itself never reads the help file; only the build and its tests do.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quantora {

using Bytes = std::vector<std::uint8_t>;

// One help id of the resource header: "#define HC_VALUE 5040" gives {"HC_VALUE", 5040}.
struct HelpContextId {
  std::string name;
  std::uint32_t id = 0;
};

// The "HC_" ids that a resource header defines, in the order they stand there.
std::vector<HelpContextId> ReadHelpContextIds(std::string_view header);

// The viewer's hash of a context string. Context strings are made of letters, digits, '.'
// and '_' (letters in either case hash alike); false for an empty name or any other character.
bool HashContextName(std::string_view name, std::uint32_t* hash);

// The internal files of a help file, sorted by name as its directory keeps them.
struct InternalFile {
  std::string name;
  std::uint8_t flags = 0;
  Bytes data;
};

// Splits a help file into its internal files. False, with a reason, when the bytes are not a
// help file or a structure points outside them.
bool ReadHelpFile(const Bytes& file, std::vector<InternalFile>* files, std::string* error);

// Puts internal files (sorted by name) together into a help file.
bool WriteHelpFile(const std::vector<InternalFile>& files, Bytes* file, std::string* error);

// The topic offset that the context map "|CONTEXT" gives for a hash; false when absent.
bool FindContext(const Bytes& contextFile, std::uint32_t hash, std::uint32_t* topicOffset);

// Adds (or replaces) the context-number map: each id is mapped to the topic named like it.
// False, naming the id, when a name is not a topic of the file.
bool AddContextNumberMap(const Bytes& file, const std::vector<HelpContextId>& ids, Bytes* out,
                         std::string* error);

}  // namespace quantora
