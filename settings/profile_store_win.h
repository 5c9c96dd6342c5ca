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

  // Two copies of the program (both builds, or one started twice) save into the one file. A
  // save runs whole under a mutex every copy names alike, so that copies closing at the same
  // moment leave the state of the one that saved last, never keys of both. The wait for the
  // other copy is bounded: past it, the save goes ahead as it would alone.
  class SaveLock {
   public:
    SaveLock();
    ~SaveLock();
    SaveLock(const SaveLock&) = delete;
    SaveLock& operator=(const SaveLock&) = delete;

   private:
    void* mutex_;
  };

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

  // A read or write the file refuses because another program (a virus scanner, a backup) holds
  // it is tried again, for this long in all over the store's life, so that a file held for good
  // cannot hold up the close.
  static constexpr int kHeldFileWaitMs = 1500;
  bool WaitWhileHeld() const;

  std::string fileName_;
  mutable int waitedMs_ = 0;
  bool batching_ = false;
  mutable std::vector<SectionCopy> copies_;
};

}  // namespace quantora
