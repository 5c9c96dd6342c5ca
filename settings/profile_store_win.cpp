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

bool WinProfileStore::WriteString(const char* section, const char* key, const char* value) {
  return WritePrivateProfileStringA(section, key, value, fileName_.c_str()) != FALSE;
}

std::string WinProfileStore::Path() const {
  if (fileName_.find_first_of("\\/:") != std::string::npos) return fileName_;
  char directory[MAX_PATH] = {};
  const UINT length = GetWindowsDirectoryA(directory, sizeof directory);
  if (length == 0 || length >= sizeof directory) return fileName_;
  return std::string(directory) + "\\" + fileName_;
}

}  // namespace quantora
