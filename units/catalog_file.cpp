#include "units/catalog_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "numbers/number_text.h"
#include "resources/strings.h"

namespace quantora {
namespace {

// The file is opened, read from the top and closed within one reader; every way out closes it.
class DataFile {
 public:
  DataFile(const char* path, const DataFileOpener& open) : file_(open(path)) {}
  ~DataFile() {
    if (file_) std::fclose(file_);
  }
  DataFile(const DataFile&) = delete;
  DataFile& operator=(const DataFile&) = delete;

  bool IsOpen() const { return file_ != nullptr; }
  // One line of at most 99 characters, newline included; a longer line comes in pieces.
  bool NextLine() { return std::fgets(line_, sizeof line_, file_) != nullptr; }
  const char* Line() const { return line_; }

 private:
  std::FILE* file_;
  char line_[kLineBufferSize] = {};
};

// The file's lines as DataFile gives them (in the same pieces), read once and then given again
// from the top as often as asked: every Dimension's section found in one reading of the file.
class FileLines {
 public:
  bool Read(const char* path, const DataFileOpener& open) {
    DataFile file(path, open);
    if (!file.IsOpen()) return false;
    while (file.NextLine()) {
      starts_.push_back(text_.size());
      text_.append(file.Line()).push_back('\0');
    }
    return true;
  }
  void Rewind() { next_ = 0; }
  bool NextLine() {
    if (next_ >= starts_.size()) return false;
    line_ = text_.data() + starts_[next_++];
    return true;
  }
  const char* Line() const { return line_; }

 private:
  std::string text_;
  std::vector<std::size_t> starts_;
  std::size_t next_ = 0;
  const char* line_ = "";
};

std::string FormatWithName(const char* format, const char* name) {
  char text[512];
  std::snprintf(text, sizeof text, format, name);
  return text;
}

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// A section body ends at the next head or at a line that starts with a blank.
bool EndsSection(const char* line) { return line[0] == '[' || line[0] == ' '; }

// Copies at most kMaxNameLength characters, always terminated.
void CopyName(char (&dest)[kNameSize], const char* src, std::size_t length) {
  if (length > static_cast<std::size_t>(kMaxNameLength)) length = kMaxNameLength;
  std::memcpy(dest, src, length);
  dest[length] = '\0';
}

// The next token of a unit line: separators skipped, then up to the next separator or the
// end of the text. The newline, when present, stays part of the last token.
bool NextToken(const char*& cursor, const char* separators, std::string& token) {
  cursor += std::strspn(cursor, separators);
  if (*cursor == '\0') return false;
  std::size_t length = std::strcspn(cursor, separators);
  token.assign(cursor, length);
  cursor += length;
  return true;
}

double ParseNumber(const std::string& text) { return ParseInputValue(text.c_str()); }

// Finds the head of the record's Dimension: the first line whose text from its second
// character begins with the label. Reports and returns false when the file ends first.
template <typename Lines>
bool FindDimensionSection(Reporter& reporter, const UnitTables& tables, QuantityRecord& record,
                          Lines& file, const char* path) {
  if (record.DimensionIndex > kMaxStoredDimensionIndex) record.DimensionIndex = kNoDimension;
  const char* label = DimensionLabelOf(tables, record.DimensionIndex);
  if (label != nullptr) {
    const std::size_t length = std::strlen(label);
    while (file.NextLine()) {
      const char* line = file.Line();
      // The first character is compared alone first: most lines differ there.
      if (line[0] != '\0' && line[1] == label[0] && std::strncmp(line + 1, label, length) == 0) {
        return true;
      }
    }
  }
  // An index that names no label is shown by its number, so the message still says which.
  std::string shown = label ? label : std::to_string(record.DimensionIndex);
  char text[512];
  std::snprintf(text, sizeof text, "ERROR: Could not find Dimension Label '%s' in File:'%s'!",
                shown.c_str(), DataFileName(path));
  BeepAndShow(reporter, kBeepDefault, text, "Quantora", kStyleStop);
  return false;
}

// The unit names of the record's Dimension, from the top of the file's lines.
template <typename Lines>
bool ReadUnitNames(Reporter& reporter, const UnitTables& tables, QuantityRecord& record,
                   Lines& file, const char* path) {
  if (!FindDimensionSection(reporter, tables, record, file, path)) return false;
  int count = 0;
  while (file.NextLine()) {
    const char* line = file.Line();
    if (EndsSection(line)) break;
    const char* equals = std::strchr(line, '=');
    // Remarks, empty lines and anything that is not "name=factor" with a name that starts
    // with a letter are skipped; units beyond the list's room are ignored.
    if (equals == nullptr || equals == line || !IsAsciiLetter(line[0])) continue;
    if (count >= kMaxUnits) continue;
    CopyName(record.UnitNames[count], line, static_cast<std::size_t>(equals - line));
    ++count;
  }
  record.NumberOfUnits = count;
  return true;
}

class SilentReporter : public Reporter {
 public:
  void Beep(unsigned) override {}
  void ShowMessage(const std::string&, const std::string&, unsigned) override {}
};

}  // namespace

std::FILE* OpenDataFile(const char* path) { return std::fopen(path, "r"); }

const char* DataFileName(const char* path) {
  const char* base = path;
  for (const char* p = path; *p; ++p) {
    if (*p == '/' || *p == '\\') base = p + 1;
  }
  return base;
}

void ReportDataFileUnreadable(Reporter& reporter, const char* fileName) {
  BeepAndShow(reporter, kBeepDefault, FormatWithName(QA_STR_DATA_FILE_UNREADABLE, fileName),
              QA_STR_ERROR_TITLE, kStyleStop);
}

void ReportMultipliersLabelMissing(Reporter& reporter, const char* fileName) {
  BeepAndShow(reporter, kBeepDefault,
              FormatWithName(QA_STR_MULTIPLIERS_LABEL_MISSING, fileName), QA_STR_ERROR_TITLE,
              kStyleStop);
}

void ReportNoMultipliers(Reporter& reporter, const char* fileName) {
  BeepAndShow(reporter, kBeepDefault, FormatWithName(QA_STR_NO_MULTIPLIERS, fileName),
              QA_STR_ERROR_TITLE, kStyleStop);
}

void LoadDimensionLabels(Reporter& reporter, UnitTables& tables, const char* path,
                         const DataFileOpener& open) {
  DataFile file(path, open);
  if (!file.IsOpen()) {
    ReportDataFileUnreadable(reporter, DataFileName(path));
    return;
  }
  int count = 0;
  while (file.NextLine()) {
    const char* line = file.Line();
    if (line[0] != '[' || std::strncmp(line, "[MULTIPLIERS]", 13) == 0) continue;
    const char* label = line + 1;
    const std::size_t length = std::strcspn(label, "]");
    // Labels of one or two characters are not Dimensions; heads beyond the table's room are
    // ignored, and an over-long label is kept to its first 40 characters (the label search
    // compares over the stored length, so it still finds its own head).
    if (length < 3 || count >= kMaxDimensions) continue;
    CopyName(tables.DimensionLabels[count], label, length);
    ++count;
  }
  tables.NumberOfDimensions = count;
}

int LoadScalers(Reporter& reporter, UnitTables& tables, const char* path,
                const DataFileOpener& open) {
  DataFile file(path, open);
  if (!file.IsOpen()) {
    ReportDataFileUnreadable(reporter, DataFileName(path));
    return 0;
  }
  bool found = false;
  while (file.NextLine()) {
    if (std::strncmp(file.Line(), "[MULTIPLIERS", 12) == 0) {
      found = true;
      break;
    }
  }
  if (!found) {
    ReportMultipliersLabelMissing(reporter, DataFileName(path));
    return 0;
  }
  int count = 0;
  std::string factor;
  while (count < kMaxScalers && file.NextLine()) {
    const char* line = file.Line();
    if (EndsSection(line)) break;
    // The name is the text before the first '='; a line without one is all name, and
    // without a factor it is written but never counted.
    const std::size_t nameLength = std::strcspn(line, "=");
    if (nameLength < 3 || nameLength > static_cast<std::size_t>(kMaxNameLength)) continue;
    ScalerEntry& entry = tables.Scalers[count];
    CopyName(entry.Name, line, nameLength);
    if (std::strcmp(entry.Name, "No_Multiplier") == 0) {
      tables.NoMultiplierIndex = static_cast<std::uint16_t>(count);
    }
    if (line[nameLength] != '=') continue;
    const char* cursor = line + nameLength + 1;
    if (!NextToken(cursor, " ", factor)) continue;
    entry.Mult = ParseNumber(factor);
    ++count;
  }
  if (count == 0) ReportNoMultipliers(reporter, DataFileName(path));
  return count;
}

bool LoadUnitNames(Reporter& reporter, const UnitTables& tables, QuantityRecord& record,
                   const char* path, const DataFileOpener& open) {
  DataFile file(path, open);
  if (!file.IsOpen()) {
    ReportDataFileUnreadable(reporter, DataFileName(path));
    return false;
  }
  return ReadUnitNames(reporter, tables, record, file, path);
}

std::vector<std::vector<std::string>> LoadEveryUnitNames(const UnitTables& tables,
                                                         const char* path,
                                                         const DataFileOpener& open) {
  const int dimensions = std::min(std::max(tables.NumberOfDimensions, 0), kMaxDimensions);
  std::vector<std::vector<std::string>> units(static_cast<std::size_t>(dimensions));
  FileLines file;
  if (!file.Read(path, open)) return units;
  SilentReporter silent;
  auto record = std::make_unique<QuantityRecord>();
  for (int d = 0; d < dimensions; ++d) {
    record->DimensionIndex = static_cast<std::uint16_t>(d);
    record->NumberOfUnits = 0;
    file.Rewind();
    if (!ReadUnitNames(silent, tables, *record, file, path)) continue;
    units[static_cast<std::size_t>(d)].assign(
        record->UnitNames, record->UnitNames + std::min(record->NumberOfUnits, kMaxUnits));
  }
  return units;
}

bool LoadUnitFactors(Reporter& reporter, const UnitTables& tables, QuantityRecord& record,
                     int side, const char* path, const DataFileOpener& open) {
  DataFile file(path, open);
  if (!file.IsOpen()) {
    ReportDataFileUnreadable(reporter, DataFileName(path));
    return false;
  }
  if (!FindDimensionSection(reporter, tables, record, file, path)) return false;
  UnitSelection& selection = Side(record, side == 0);
  // A unit index outside the list (a quantity whose units could not be read) has no line.
  if (selection.UnitIndex >= record.NumberOfUnits || selection.UnitIndex >= kMaxUnits) return false;
  const char* name = record.UnitNames[selection.UnitIndex];
  if (name[0] == '\0') return false;
  std::string token;
  char candidate[kNameSize];
  while (file.NextLine()) {
    const char* line = file.Line();
    if (EndsSection(line)) break;
    // The unit's line is the first whose name, kept as the list keeps it, is the picked name:
    // "foot" is not the line of "foot; US survey", and a line without "=" is no unit at all.
    const char* equals = std::strchr(line, '=');
    if (equals == nullptr) continue;
    CopyName(candidate, line, static_cast<std::size_t>(equals - line));
    if (std::strcmp(candidate, name) != 0) continue;
    const char* cursor = equals + 1;
    // "name=" with nothing after it has no factor: 0, which the simple mode refuses to
    // divide by and which shows plainly as a zero result.
    selection.UnitMult = NextToken(cursor, ", ", token) ? ParseNumber(token) : 0.0;
    selection.UnitOffset = NextToken(cursor, ", ", token) ? ParseNumber(token) : 0.0;
    return true;
  }
  return false;
}

}  // namespace quantora
