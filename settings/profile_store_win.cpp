#include "settings/profile_store_win.h"

#include <windows.h>

namespace quantora {

std::string WinProfileStore::GetString(const char* section, const char* key,
                                       const char* defaultText) const {
  char buffer[kProfileValueBufferSize] = {};
  GetPrivateProfileStringA(section, key, defaultText, buffer, sizeof buffer, fileName_.c_str());
  return buffer;
}

std::int32_t WinProfileStore::GetInt(const char* section, const char* key,
                                     std::int32_t defaultValue) const {
  return static_cast<std::int32_t>(
      GetPrivateProfileIntA(section, key, defaultValue, fileName_.c_str()));
}

void WinProfileStore::WriteString(const char* section, const char* key, const char* value) {
  WritePrivateProfileStringA(section, key, value, fileName_.c_str());
}

}  // namespace quantora
