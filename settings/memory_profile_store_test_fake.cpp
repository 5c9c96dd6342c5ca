#include "settings/memory_profile_store_test_fake.h"

#include <cstddef>

namespace quantora {

namespace {

bool IsProfileSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string Trim(const std::string& text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && IsProfileSpace(text[first])) ++first;
  while (last > first && IsProfileSpace(text[last - 1])) --last;
  return text.substr(first, last - first);
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Section and key names are compared without regard to case, as the platform does.
bool SameName(const std::string& a, const char* b) {
  const std::string trimmed = Trim(b);
  if (a.size() != trimmed.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(trimmed[i])) return false;
  }
  return true;
}

}  // namespace

std::int32_t ProfileLeadingInteger(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  std::uint32_t total = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    total = total * 10u + static_cast<std::uint32_t>(text[i] - '0');
  }
  if (negative) total = 0u - total;
  return static_cast<std::int32_t>(total);
}

std::string ProfileReturnedText(const std::string& text) {
  std::string value = text;
  bool quoted = false;
  if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') &&
      value.back() == value[0]) {
    quoted = true;
    value.erase(0, 1);
  }
  // The lookup copies into its 30-byte buffer first and only then drops the closing quote,
  // and only when the whole rest fitted in the buffer's size.
  const std::size_t restLength = value.size();
  if (value.size() > static_cast<std::size_t>(kProfileValueMaxLength)) {
    value.resize(kProfileValueMaxLength);
  }
  if (quoted && restLength <= static_cast<std::size_t>(kProfileValueBufferSize) &&
      !value.empty()) {
    value.pop_back();
  }
  return value;
}

MemoryProfileStore::Line MemoryProfileStore::Classify(std::string text, std::string end) {
  Line line;
  line.text = std::move(text);
  line.end = std::move(end);
  const std::string trimmed = Trim(line.text);
  if (trimmed.empty()) {
    line.kind = LineKind::Blank;
    return line;
  }
  if (trimmed[0] == '[') {
    const std::size_t close = trimmed.rfind(']');
    if (close != std::string::npos) {
      line.kind = LineKind::Section;
      line.name = trimmed.substr(1, close - 1);
      return line;
    }
  }
  const std::size_t equals = trimmed.find('=');
  if (equals == std::string::npos) {
    line.kind = LineKind::KeyWithoutValue;
    line.name = trimmed;
    return line;
  }
  line.kind = LineKind::Key;
  line.name = Trim(trimmed.substr(0, equals));
  line.value = Trim(trimmed.substr(equals + 1));
  return line;
}

void MemoryProfileStore::SetText(const std::string& text) {
  lines_.clear();
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t newline = text.find('\n', start);
    if (newline == std::string::npos) {
      lines_.push_back(Classify(text.substr(start), ""));
      break;
    }
    std::string body = text.substr(start, newline - start);
    std::string end = "\n";
    if (!body.empty() && body.back() == '\r') {
      body.pop_back();
      end = "\r\n";
    }
    lines_.push_back(Classify(std::move(body), std::move(end)));
    start = newline + 1;
  }
}

std::string MemoryProfileStore::Text() const {
  std::string text;
  for (const Line& line : lines_) text += line.text + line.end;
  return text;
}

long MemoryProfileStore::FindSection(const char* section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind == LineKind::Section && SameName(lines_[i].name, section)) {
      return static_cast<long>(i);
    }
  }
  return -1;
}

long MemoryProfileStore::SectionEnd(long headerIndex) const {
  long i = headerIndex + 1;
  while (i < static_cast<long>(lines_.size()) &&
         lines_[static_cast<std::size_t>(i)].kind != LineKind::Section) {
    ++i;
  }
  return i;
}

long MemoryProfileStore::FindKey(const char* section, const char* key) const {
  const long header = FindSection(section);
  if (header < 0) return -1;
  const long end = SectionEnd(header);
  for (long i = header + 1; i < end; ++i) {
    const Line& line = lines_[static_cast<std::size_t>(i)];
    if ((line.kind == LineKind::Key || line.kind == LineKind::KeyWithoutValue) &&
        SameName(line.name, key)) {
      return i;
    }
  }
  return -1;
}

std::string MemoryProfileStore::GetString(const char* section, const char* key,
                                          const char* defaultText) const {
  const long found = FindKey(section, key);
  if (found >= 0 && lines_[static_cast<std::size_t>(found)].kind == LineKind::Key) {
    return ProfileReturnedText(lines_[static_cast<std::size_t>(found)].value);
  }
  // The default loses its trailing blanks, as the platform's lookup does.
  std::string fallback = defaultText ? defaultText : "";
  while (!fallback.empty() && fallback.back() == ' ') fallback.pop_back();
  return ProfileReturnedText(fallback);
}

std::int32_t MemoryProfileStore::GetInt(const char* section, const char* key,
                                        std::int32_t defaultValue) const {
  const std::string text = GetString(section, key, "");
  if (text.empty()) return defaultValue;
  return ProfileLeadingInteger(text);
}

void MemoryProfileStore::WriteString(const char* section, const char* key, const char* value) {
  const std::string newValue = value ? value : "";
  const long found = FindKey(section, key);
  if (found >= 0) {
    Line& line = lines_[static_cast<std::size_t>(found)];
    if (line.kind == LineKind::Key && line.value == newValue) return;  // nothing changes
    line = Classify(line.name + "=" + newValue, line.end);
    return;
  }

  std::string keyName = Trim(key);
  long insertAt;
  const long header = FindSection(section);
  if (header >= 0) {
    // After the last line of the section that is not blank, so that a blank line that
    // separates it from the next section stays where it is.
    insertAt = SectionEnd(header);
    while (insertAt > header + 1 &&
           lines_[static_cast<std::size_t>(insertAt - 1)].kind == LineKind::Blank) {
      --insertAt;
    }
  } else {
    insertAt = static_cast<long>(lines_.size());
    if (insertAt > 0 && lines_.back().end.empty()) lines_.back().end = "\r\n";
    lines_.push_back(Classify(std::string("[") + Trim(section) + "]", "\r\n"));
    insertAt = static_cast<long>(lines_.size());
  }
  if (insertAt > 0 && lines_[static_cast<std::size_t>(insertAt - 1)].end.empty()) {
    lines_[static_cast<std::size_t>(insertAt - 1)].end = "\r\n";
  }
  lines_.insert(lines_.begin() + insertAt, Classify(keyName + "=" + newValue, "\r\n"));
}

}  // namespace quantora
