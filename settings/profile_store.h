// The seam between the settings encodings and the place the settings live. The program keeps
// them in an initialisation file read and written through the platform's private-profile
// calls; the tests use an in-memory store that follows the same rules.
#pragma once

#include <cstdint>
#include <string>

namespace quantora {

constexpr const char* kSettingsFileName = "QUANTORA.INI";

// Values come back through a buffer of this size: at most 29 characters and the NUL.
constexpr int kProfileValueBufferSize = 30;
constexpr int kProfileValueMaxLength = kProfileValueBufferSize - 1;

class ProfileStore {
 public:
  virtual ~ProfileStore() = default;

  // The value of the key, or defaultText when the key or its section is missing; either way
  // cut to 29 characters.
  virtual std::string GetString(const char* section, const char* key,
                                const char* defaultText) const = 0;

  // The leading decimal number of the value text (blanks skipped, optional sign, digits up to
  // the first other character; no digits gives 0). A missing key, or one with an empty value,
  // gives defaultValue.
  virtual std::int32_t GetInt(const char* section, const char* key,
                              std::int32_t defaultValue) const = 0;

  // Sets the key. An existing key keeps its place in the file; a new key goes at the end of
  // its section, a new section at the end of the file. Returns false when the file could not
  // be written.
  virtual bool WriteString(const char* section, const char* key, const char* value) = 0;
};

}  // namespace quantora
