#include "settings/profile_store_win.h"

#include <windows.h>

#include <cstring>

namespace quantora {
namespace {

constexpr DWORD kSectionBufferSize = 32768;

// One name in the global namespace, so that copies in other sessions of the same machine (fast
// user switching, a Remote Desktop host), which share the Windows directory, wait too.
constexpr const char* kSaveMutexName = "Global\\Quantora settings save";
// A save takes well under a second; this bound keeps a session's end within what Windows
// allows a program (about five seconds) even behind another copy's save.
constexpr DWORD kSaveMutexWaitMs = 2500;
constexpr int kHeldFileRetryMs = 50;

// What the platform trims around names and values (the end-of-file character too).
bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1a'; }

bool IsAscii(const std::string& text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// Text the platform hands back unchanged: no blanks at either end, no leading quote (a
// quoted value loses its quotes), nothing outside ASCII (no code-page conversion to mind).
bool IsPlain(const std::string& text) {
  return IsAscii(text) &&
         (text.empty() || (!IsBlank(text.front()) && !IsBlank(text.back()) &&
                           text.front() != '"' && text.front() != '\''));
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Names are compared without regard to case; both are ASCII here.
bool SameName(const std::string& name, const char* key) {
  std::size_t i = 0;
  for (; i < name.size() && key[i] != '\0'; ++i) {
    if (Lower(name[i]) != Lower(key[i])) return false;
  }
  return i == name.size() && key[i] == '\0';
}

// A count as the integer read takes it without any doubt (up to nine decimal digits, no sign,
// no leading zero), or -1 for any other text.
std::int32_t PlainCount(const std::string& text) {
  if (text.empty() || text.size() > 9 || (text[0] == '0' && text.size() > 1)) return -1;
  std::int32_t count = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return -1;
    count = count * 10 + (c - '0');
  }
  return count;
}

}  // namespace

const WinProfileStore::SectionCopy& WinProfileStore::CopyOf(const char* section) const {
  for (const SectionCopy& copy : copies_) {
    if (copy.name == section) return copy;
  }
  std::vector<char> buffer(kSectionBufferSize);
  const DWORD length =
      GetPrivateProfileSectionA(section, buffer.data(), kSectionBufferSize, fileName_.c_str());
  SectionCopy copy;
  copy.name = section;
  copy.complete = length < kSectionBufferSize - 2;
  for (const char* line = buffer.data(); copy.complete && *line; line += std::strlen(line) + 1) {
    copy.lines.emplace_back(line);
  }
  copies_.push_back(std::move(copy));
  return copies_.back();
}

WinProfileStore::Found WinProfileStore::Lookup(const char* section, const char* key,
                                               std::string& value) const {
  // A name that starts with ';' is a remark, which the section's copy may leave out.
  if (!batching_ || *key == '\0' || *key == ';' || !IsPlain(key)) return Found::Unsure;
  const SectionCopy& copy = CopyOf(section);
  if (!copy.complete) return Found::Unsure;
  for (const std::string& line : copy.lines) {
    const std::size_t equals = line.find('=');
    std::string name = line.substr(0, equals);
    // Another alphabet's letters may match a key's letters without regard to case.
    if (!IsAscii(name)) return Found::Unsure;
    const bool plainName = IsPlain(name);
    while (!name.empty() && IsBlank(name.back())) name.pop_back();
    while (!name.empty() && IsBlank(name.front())) name.erase(0, 1);
    if (!SameName(name, key)) continue;
    if (equals == std::string::npos || !plainName) return Found::Unsure;
    value = line.substr(equals + 1);
    return IsPlain(value) ? Found::Plain : Found::Unsure;
  }
  return Found::Missing;
}

std::string WinProfileStore::GetString(const char* section, const char* key,
                                       const char* defaultText) const {
  std::string value;
  const Found found = Lookup(section, key, value);
  if (found == Found::Missing && defaultText != nullptr && IsPlain(defaultText)) {
    value = defaultText;
  } else if (found != Found::Plain) {
    // A file another program holds reads as one without the key: read again once it is let go,
    // so that the save's check of the installation marker does not take it for missing.
    char buffer[kProfileValueBufferSize] = {};
    do {
      SetLastError(ERROR_SUCCESS);
      GetPrivateProfileStringA(section, key, defaultText, buffer, sizeof buffer,
                               fileName_.c_str());
    } while (WaitWhileHeld());
    return buffer;
  }
  return value.substr(0, kProfileValueMaxLength);
}

std::int32_t WinProfileStore::GetInt(const char* section, const char* key,
                                     std::int32_t defaultValue) const {
  std::string value;
  const Found found = Lookup(section, key, value);
  if (found == Found::Missing) return defaultValue;
  const std::int32_t count = found == Found::Plain ? PlainCount(value) : -1;
  if (count >= 0) return count;
  return static_cast<std::int32_t>(
      GetPrivateProfileIntA(section, key, defaultValue, fileName_.c_str()));
}

bool WinProfileStore::WaitWhileHeld() const {
  const DWORD error = GetLastError();
  if ((error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION) ||
      waitedMs_ >= kHeldFileWaitMs) {
    return false;
  }
  Sleep(kHeldFileRetryMs);
  waitedMs_ += kHeldFileRetryMs;
  return true;
}

bool WinProfileStore::WriteString(const char* section, const char* key, const char* value) {
  copies_.clear();
  do {
    if (WritePrivateProfileStringA(section, key, value, fileName_.c_str())) return true;
  } while (WaitWhileHeld());
  return false;
}

WinProfileStore::SaveLock::SaveLock()
    : mutex_(CreateMutexA(nullptr, FALSE, kSaveMutexName)) {
  // Another user's copy on the same machine may have made the mutex, which this user may not
  // open: the save then goes ahead unguarded, as it always did.
  if (mutex_) WaitForSingleObject(mutex_, kSaveMutexWaitMs);
}

WinProfileStore::SaveLock::~SaveLock() {
  if (mutex_) {
    ReleaseMutex(mutex_);
    CloseHandle(mutex_);
  }
}

std::string WinProfileStore::Path() const {
  if (fileName_.find_first_of("\\/:") != std::string::npos) return fileName_;
  char directory[MAX_PATH] = {};
  const UINT length = GetWindowsDirectoryA(directory, sizeof directory);
  if (length == 0 || length >= sizeof directory) return fileName_;
  return std::string(directory) + "\\" + fileName_;
}

}  // namespace quantora
