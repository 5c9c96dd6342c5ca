// A settings store held in memory for the tests, answering by the rules of the platform's
// private-profile calls. It keeps a file as the program writes one: "[section]" and
// "key=value" lines, each ending in CR LF. Other lines (blank ones, keys without '=') are read
// past and not kept, and so are the blanks around names and values.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
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
  bool WriteString(const char* section, const char* key, const char* value) override;

  // Replaces the whole content, as if the file had been edited outside the program.
  void SetText(const std::string& text);
  // The file as the store would write it.
  std::string Text() const;

  bool readOnly = false;  // every write fails and changes nothing

 private:
  struct Section {
    std::string name;
    std::vector<std::pair<std::string, std::string>> keys;  // name, value; in file order
  };
  std::vector<Section> sections_;
};

}  // namespace quantora
