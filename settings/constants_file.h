// The physical constants file "QACONST.TXT": one constant per line (name, value and units,
// lined up by tabs that the list box expands), remark lines beginning with "/". The lookup
// dialog shows every other line as one row, as it stands in the file.
#pragma once

#include <cstddef>
#include <string>

#include "resources/reporter.h"

namespace quantora {

constexpr const char* kConstantsFileName = "QACONST.TXT";

// A row keeps at most this many characters of its line, far more than the list shows; the
// rest of a longer line is passed over, so it never turns into rows of its own.
constexpr std::size_t kMaxConstantRowLength = 255;

// Where the rows go: the dialog's list box, or a test's record.
class ConstantsList {
 public:
  virtual ~ConstantsList() = default;
  virtual void Clear() = 0;
  // False when the list refused the row.
  virtual bool Add(const std::string& row) = 0;
};

// 1 when the file opens for reading (it is closed again at once); otherwise message 41017,
// naming the file by the last component of its path, and 0.
int CheckConstantsFile(Reporter& reporter, const char* path = kConstantsFileName);

// Clears the list and adds a row for each line that is not a remark: the line without its
// line end ("\n" or "\r\n"; a last line without one loses nothing), cut to
// kMaxConstantRowLength characters; an empty line gives an empty row. When the file does not
// open: message 41017 and the list stays as it was. When the list refuses a row: message
// 41018, the rows added so far stay and the rest of the file is not read.
void FillConstantsList(Reporter& reporter, ConstantsList& list,
                       const char* path = kConstantsFileName);

}  // namespace quantora
