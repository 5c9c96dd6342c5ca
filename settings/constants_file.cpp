#include "settings/constants_file.h"

#include <cstdio>

#include "resources/strings.h"
#include "units/catalog_file.h"

namespace quantora {
namespace {

class ConstantsFile {
 public:
  explicit ConstantsFile(const char* path) : file_(std::fopen(path, "r")) {}
  ~ConstantsFile() {
    if (file_) std::fclose(file_);
  }
  ConstantsFile(const ConstantsFile&) = delete;
  ConstantsFile& operator=(const ConstantsFile&) = delete;

  bool IsOpen() const { return file_ != nullptr; }

  // The next line whole, without its line end; false at the end of the file.
  bool NextLine(std::string& line) {
    line.clear();
    int c = std::getc(file_);
    if (c == EOF) return false;
    bool carriageReturn = false;  // held back until it is known not to end the line
    for (; c != EOF && c != '\n'; c = std::getc(file_)) {
      if (carriageReturn) Keep(line, '\r');
      carriageReturn = c == '\r';
      if (!carriageReturn) Keep(line, static_cast<char>(c));
    }
    if (carriageReturn && c == EOF) Keep(line, '\r');
    return true;
  }

 private:
  static void Keep(std::string& line, char c) {
    if (line.size() < kMaxConstantRowLength) line.push_back(c);
  }
  std::FILE* file_;
};

void Report(Reporter& reporter, const std::string& text) {
  BeepAndShow(reporter, kBeepDefault, text, QA_STR_ERROR_TITLE, kStyleStop);
}

void ReportUnreadable(Reporter& reporter, const char* path) {
  char text[512];
  std::snprintf(text, sizeof text, QA_STR_CONSTANTS_UNREADABLE, DataFileName(path));
  Report(reporter, text);
}

}  // namespace

int CheckConstantsFile(Reporter& reporter, const char* path) {
  if (ConstantsFile(path).IsOpen()) return 1;
  ReportUnreadable(reporter, path);
  return 0;
}

void FillConstantsList(Reporter& reporter, ConstantsList& list, const char* path) {
  ConstantsFile file(path);
  if (!file.IsOpen()) {
    ReportUnreadable(reporter, path);
    return;
  }
  list.Clear();
  std::string line;
  while (file.NextLine(line)) {
    if (!line.empty() && line[0] == '/') continue;
    if (!list.Add(line)) {
      Report(reporter, QA_STR_CONSTANT_NOT_ADDED);
      return;
    }
  }
}

}  // namespace quantora
