// A settings store held in memory as the text of an initialisation file. It follows the
// rules of the platform's private-profile calls, so that the settings code can be tested
// without the platform, and it keeps every line it does not change exactly as it was, so that
// a test can tell "nothing written" from "written the same".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "settings/profile_store.h"

namespace quantora {

class MemoryProfileStore : public ProfileStore {
 public:
  MemoryProfileStore() = default;
  explicit MemoryProfileStore(const std::string& text) { SetText(text); }

  std::string GetString(const char* section, const char* key,
                        const char* defaultText) const override;
  std::int32_t GetInt(const char* section, const char* key,
                      std::int32_t defaultValue) const override;
  void WriteString(const char* section, const char* key, const char* value) override;

  // Replaces the whole content, as if the file had been edited outside the program.
  void SetText(const std::string& text);
  // The content as it would stand in the file, byte for byte.
  std::string Text() const;

 private:
  enum class LineKind { Blank, Section, Key, KeyWithoutValue };
  struct Line {
    std::string text;  // without its line end
    std::string end;   // "\r\n", "\n" or "" for a last line without one
    LineKind kind = LineKind::Blank;
    std::string name;   // section or key name
    std::string value;  // for LineKind::Key
  };

  static Line Classify(std::string text, std::string end);
  // Index of the header line of the first section named section, or -1. Lines before the
  // first header belong to the section with the empty name, which has no header line.
  long FindSection(const char* section) const;
  // The line range [first, last) of the section whose header is at headerIndex.
  long SectionEnd(long headerIndex) const;
  long FindKey(const char* section, const char* key) const;

  std::vector<Line> lines_;
};

// The leading-number read of the platform's integer lookup: characters up to and including the
// blank skipped, one optional sign, then decimal digits up to the first other character, summed
// with 32-bit wrap-around; no digits gives 0.
std::int32_t ProfileLeadingInteger(const std::string& text);

// What a lookup hands back for a found value or a default text: one pair of matching quotes
// around the text removed, then cut to 29 characters.
std::string ProfileReturnedText(const std::string& text);

}  // namespace quantora
