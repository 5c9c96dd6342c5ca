// The settings store of the program: the initialisation file through the platform's
// private-profile calls.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "settings/profile_store.h"

namespace quantora {

class WinProfileStore : public ProfileStore {
 public:
  // The bare name puts the file in the Windows directory; the tests pass a full path.
  explicit WinProfileStore(std::string fileName = kSettingsFileName)
      : fileName_(std::move(fileName)) {}

  std::string GetString(const char* section, const char* key,
                        const char* defaultText) const override;
  std::int32_t GetInt(const char* section, const char* key,
                      std::int32_t defaultValue) const override;
  bool WriteString(const char* section, const char* key, const char* value) override;

  const std::string& FileName() const { return fileName_; }
  // The file the platform reads and writes: a bare name lies in the Windows directory.
  std::string Path() const;

  // Each read of a key opens the file anew, and the start-up load reads some seventy keys.
  // While a batch is open, each section is read once, and a key whose line there is plain
  // ("name=value", no blanks around either, no quotes, plain ASCII) or missing is answered
  // from that copy; any other line is read on its own as before, so every answer is the one
  // the single read gives. A write drops the copies; so does the end of the batch, so that a
  // later read (the save's check of the installation marker) sees the file as it is then.
  class ReadBatch {
   public:
    explicit ReadBatch(WinProfileStore& store) : store_(store) { store_.batching_ = true; }
    ~ReadBatch() {
      store_.batching_ = false;
      store_.copies_.clear();
    }
    ReadBatch(const ReadBatch&) = delete;
    ReadBatch& operator=(const ReadBatch&) = delete;

   private:
    WinProfileStore& store_;
  };

 private:
  struct SectionCopy {
    std::string name;
    bool complete = false;  // false: the section did not fit the buffer
    std::vector<std::string> lines;
  };
  enum class Found { Missing, Plain, Unsure };

  const SectionCopy& CopyOf(const char* section) const;
  Found Lookup(const char* section, const char* key, std::string& value) const;

  std::string fileName_;
  bool batching_ = false;
  mutable std::vector<SectionCopy> copies_;
};

}  // namespace quantora
