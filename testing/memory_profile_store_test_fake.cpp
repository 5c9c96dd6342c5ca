#include "testing/memory_profile_store_test_fake.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace quantora {

namespace {

std::string_view Trim(std::string_view text) {
  const char* const blanks = " \t\r\n\v\f";
  const std::size_t first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) + 1 - first);
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Section and key names are compared without regard to case, as the platform does; a name
// asked for loses its blanks first.
bool SameName(const std::string& a, std::string_view trimmed) {
  return std::equal(a.begin(), a.end(), trimmed.begin(), trimmed.end(),
                    [](char x, char y) { return Lower(x) == Lower(y); });
}

// The first section of that name, as the platform's lookups use; nullptr when there is none.
// The same search serves the store's reads (const sections) and its writes.
template <class Sections>
auto FindSection(Sections& sections, const char* name) -> decltype(&sections.front()) {
  const std::string_view trimmed = Trim(name);
  for (auto& section : sections) {
    if (SameName(section.name, trimmed)) return &section;
  }
  return nullptr;
}

template <class Sections>
auto FindValue(Sections& sections, const char* section, const char* key)
    -> decltype(&sections.front().keys.front().second) {
  if (auto* found = FindSection(sections, section)) {
    const std::string_view trimmed = Trim(key);
    for (auto& [name, value] : found->keys) {
      if (SameName(name, trimmed)) return &value;
    }
  }
  return nullptr;
}

}  // namespace

std::string MemoryProfileStore::GetString(const char* section, const char* key,
                                          const char* defaultText) const {
  std::string text = defaultText ? defaultText : "";
  // The default loses its trailing blanks, as the platform's lookup does.
  while (!text.empty() && text.back() == ' ') text.pop_back();
  if (const std::string* value = FindValue(sections_, section, key)) text = *value;
  return text.substr(0, kProfileValueMaxLength);
}

// The leading decimal number, as the platform reads it: characters up to and including the
// blank skipped, one optional sign, then digits up to the first other character, summed with
// 32-bit wrap-around; no digits gives 0.
std::int32_t MemoryProfileStore::GetInt(const char* section, const char* key,
                                        std::int32_t defaultValue) const {
  const std::string text = GetString(section, key, "");
  if (text.empty()) return defaultValue;
  std::size_t i = 0;
  while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ') ++i;
  const bool negative = i < text.size() && text[i] == '-';
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::uint32_t total = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    total = total * 10u + static_cast<std::uint32_t>(text[i] - '0');
  }
  return static_cast<std::int32_t>(negative ? 0u - total : total);
}

// An existing key keeps its place; a new key goes at the end of its section, a new section
// at the end of the file.
bool MemoryProfileStore::WriteString(const char* section, const char* key, const char* value) {
  if (readOnly) return false;
  const std::string text = value ? value : "";
  if (std::string* old = FindValue(sections_, section, key)) {
    *old = text;
    return true;
  }
  Section* found = FindSection(sections_, section);
  if (found == nullptr) {
    sections_.push_back({std::string(Trim(section)), {}});
    found = &sections_.back();
  }
  found->keys.emplace_back(Trim(key), text);
  return true;
}

void MemoryProfileStore::SetText(const std::string& text) {
  sections_.clear();
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string_view line = Trim(std::string_view(text).substr(start, end - start));
    start = end + 1;
    const std::size_t close = line.rfind(']');
    const std::size_t equals = line.find('=');
    if (!line.empty() && line[0] == '[' && close != std::string_view::npos) {
      sections_.push_back({std::string(line.substr(1, close - 1)), {}});
    } else if (equals != std::string_view::npos && !sections_.empty()) {
      sections_.back().keys.emplace_back(Trim(line.substr(0, equals)),
                                         Trim(line.substr(equals + 1)));
    }
  }
}

std::string MemoryProfileStore::Text() const {
  std::string text;
  for (const Section& section : sections_) {
    text += "[" + section.name + "]\r\n";
    for (const auto& [name, value] : section.keys) text += name + "=" + value + "\r\n";
  }
  return text;
}

}  // namespace quantora
