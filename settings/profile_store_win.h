// The settings store of the program: the initialisation file through the platform's
// private-profile calls.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

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

 private:
  std::string fileName_;
};

}  // namespace quantora
