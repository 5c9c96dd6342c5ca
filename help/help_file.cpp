#include "help/help_file.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <functional>

namespace quantora {

namespace {

// A help file is a little file system: a 16-byte header, then internal files, each behind a
// 9-byte file header, and a directory of them kept as a B+ tree.
constexpr std::uint32_t kHelpFileMagic = 0x00035F3F;
constexpr std::size_t kHelpHeaderSize = 16;
constexpr std::size_t kFileHeaderSize = 9;  // reserved size, used size, flags
constexpr std::uint16_t kTreeMagic = 0x293B;
constexpr std::size_t kTreeHeaderSize = 38;
constexpr std::size_t kLeafPageHeaderSize = 8;
constexpr std::uint16_t kDirectoryPageSize = 0x0400;
constexpr std::uint16_t kDirectoryTreeFlags = 0x0402;
constexpr std::size_t kMaxMapEntries = 0xFFFF;  // the map's count is 16 bits

const char kContextFile[] = "|CONTEXT";
const char kContextNumberFile[] = "|CTXOMAP";

std::uint16_t U16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
std::int16_t S16(const std::uint8_t* p) { return static_cast<std::int16_t>(U16(p)); }
std::uint32_t U32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

void Put16(Bytes* out, std::uint32_t v) {
  out->push_back(static_cast<std::uint8_t>(v));
  out->push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(Bytes* out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// Reads one leaf entry at p (avail bytes left in the page); sets how many bytes it took.
using LeafEntryReader = std::function<bool(const std::uint8_t* p, std::size_t avail,
                                           std::size_t* used)>;

// Walks every leaf entry of the B+ tree held in tree, in key order.
bool WalkLeaves(const Bytes& tree, const LeafEntryReader& read) {
  if (tree.size() < kTreeHeaderSize || U16(tree.data()) != kTreeMagic) return false;
  const std::size_t pageSize = U16(tree.data() + 4);
  const int rootPage = S16(tree.data() + 26);
  const int totalPages = S16(tree.data() + 30);
  const int levels = S16(tree.data() + 32);
  if (pageSize < kLeafPageHeaderSize || totalPages < 1 || levels < 1) return false;
  if (tree.size() < kTreeHeaderSize + pageSize * static_cast<std::size_t>(totalPages)) return false;
  auto page = [&](int n) { return tree.data() + kTreeHeaderSize + pageSize * n; };
  int current = rootPage;
  for (int level = 1; level < levels; ++level) {  // down the first entries to the first leaf
    if (current < 0 || current >= totalPages) return false;
    current = S16(page(current) + 4);
  }
  for (int visited = 0; current != -1; ++visited) {
    if (current < 0 || current >= totalPages || visited >= totalPages) return false;
    const std::uint8_t* p = page(current);
    const int entries = S16(p + 2);
    std::size_t at = kLeafPageHeaderSize;
    for (int i = 0; i < entries; ++i) {
      std::size_t used = 0;
      if (!read(p + at, pageSize - at, &used)) return false;
      at += used;
    }
    current = S16(p + 6);
  }
  return true;
}

// A NUL-terminated name within avail bytes; false when no NUL ends it there.
bool ReadName(const std::uint8_t* p, std::size_t avail, std::string* name) {
  const std::uint8_t* end = std::find(p, p + avail, std::uint8_t{0});
  if (end == p + avail) return false;
  name->assign(p, end);
  return true;
}

bool Fail(std::string* error, const std::string& why) {
  if (error) *error = why;
  return false;
}

const InternalFile* FindFile(const std::vector<InternalFile>& files, std::string_view name) {
  for (const InternalFile& f : files) {
    if (f.name == name) return &f;
  }
  return nullptr;
}

bool IsIdentifierChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

}  // namespace

std::vector<HelpContextId> ReadHelpContextIds(std::string_view header) {
  std::vector<HelpContextId> ids;
  std::size_t lineStart = 0;
  while (lineStart < header.size()) {
    std::size_t lineEnd = header.find('\n', lineStart);
    if (lineEnd == std::string_view::npos) lineEnd = header.size();
    std::string_view line = header.substr(lineStart, lineEnd - lineStart);
    lineStart = lineEnd + 1;

    auto skipBlanks = [&line] {
      while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    };
    skipBlanks();
    const std::string_view directive = "#define";
    if (line.substr(0, directive.size()) != directive) continue;
    line.remove_prefix(directive.size());
    if (line.empty() || (line.front() != ' ' && line.front() != '\t')) continue;
    skipBlanks();
    std::size_t nameLength = 0;
    while (nameLength < line.size() && IsIdentifierChar(line[nameLength])) ++nameLength;
    const std::string_view name = line.substr(0, nameLength);
    if (name.substr(0, 3) != "HC_" || name.size() == 3) continue;
    line.remove_prefix(nameLength);
    if (line.empty() || (line.front() != ' ' && line.front() != '\t')) continue;
    skipBlanks();
    std::uint32_t id = 0;
    const auto parsed = std::from_chars(line.data(), line.data() + line.size(), id);
    if (parsed.ec != std::errc() || parsed.ptr == line.data()) continue;
    if (parsed.ptr != line.data() + line.size() && IsIdentifierChar(*parsed.ptr)) continue;
    ids.push_back(HelpContextId{std::string(name), id});
  }
  return ids;
}

bool HashContextName(std::string_view name, std::uint32_t* hash) {
  if (name.empty()) return false;
  std::uint32_t h = 0;
  for (char c : name) {
    std::uint32_t value = 0;
    if (c >= 'A' && c <= 'Z') {
      value = static_cast<std::uint32_t>(c - 'A') + 17;
    } else if (c >= 'a' && c <= 'z') {
      value = static_cast<std::uint32_t>(c - 'a') + 17;
    } else if (c >= '1' && c <= '9') {
      value = static_cast<std::uint32_t>(c - '0');
    } else if (c == '0') {
      value = 10;
    } else if (c == '.') {
      value = 12;
    } else if (c == '_') {
      value = 13;
    } else {
      return false;
    }
    h = h * 43 + value;
  }
  *hash = h;
  return true;
}

bool ReadHelpFile(const Bytes& file, std::vector<InternalFile>* files, std::string* error) {
  files->clear();
  if (file.size() < kHelpHeaderSize || U32(file.data()) != kHelpFileMagic) {
    return Fail(error, "not a help file");
  }
  // Reads the internal file whose file header stands at offset.
  auto internal = [&file](std::uint32_t offset, std::uint8_t* flags, Bytes* data) {
    if (offset < kHelpHeaderSize || offset > file.size() - kFileHeaderSize) return false;
    const std::uint32_t used = U32(file.data() + offset + 4);
    const std::size_t start = offset + kFileHeaderSize;
    if (used > file.size() - start) return false;
    *flags = file[offset + 8];
    data->assign(file.begin() + static_cast<std::ptrdiff_t>(start),
                 file.begin() + static_cast<std::ptrdiff_t>(start + used));
    return true;
  };
  std::uint8_t directoryFlags = 0;
  Bytes directory;
  if (!internal(U32(file.data() + 4), &directoryFlags, &directory)) {
    return Fail(error, "the directory lies outside the file");
  }
  bool entriesInside = true;
  const bool walked = WalkLeaves(directory, [&](const std::uint8_t* p, std::size_t avail,
                                                std::size_t* used) {
    InternalFile f;
    if (!ReadName(p, avail, &f.name) || avail - f.name.size() - 1 < 4) return false;
    if (!internal(U32(p + f.name.size() + 1), &f.flags, &f.data)) {
      entriesInside = false;
      return false;
    }
    files->push_back(std::move(f));
    *used = files->back().name.size() + 1 + 4;
    return true;
  });
  if (!entriesInside) return Fail(error, "an internal file lies outside the file");
  if (!walked) return Fail(error, "the directory is damaged");
  return true;
}

bool WriteHelpFile(const std::vector<InternalFile>& files, Bytes* file, std::string* error) {
  // The directory is written as one leaf page, which holds far more names than a help
  // file has internal files.
  std::size_t entryBytes = 0;
  for (const InternalFile& f : files) entryBytes += f.name.size() + 1 + 4;
  if (entryBytes > kDirectoryPageSize - kLeafPageHeaderSize) {
    return Fail(error, "too many internal files for one directory page");
  }
  Bytes out;
  out.resize(kHelpHeaderSize);
  std::vector<std::uint32_t> offsets;
  for (const InternalFile& f : files) {
    offsets.push_back(static_cast<std::uint32_t>(out.size()));
    const auto used = static_cast<std::uint32_t>(f.data.size());
    Put32(&out, used + kFileHeaderSize);
    Put32(&out, used);
    out.push_back(f.flags);
    out.insert(out.end(), f.data.begin(), f.data.end());
  }
  const auto directoryStart = static_cast<std::uint32_t>(out.size());
  const auto directoryUsed = static_cast<std::uint32_t>(kTreeHeaderSize + kDirectoryPageSize);
  Put32(&out, directoryUsed + kFileHeaderSize);
  Put32(&out, directoryUsed);
  out.push_back(0);
  Put16(&out, kTreeMagic);
  Put16(&out, kDirectoryTreeFlags);
  Put16(&out, kDirectoryPageSize);
  const char structure[16] = "z4";  // a name, then a 4-byte offset
  out.insert(out.end(), structure, structure + sizeof structure);
  Put16(&out, 0);       // must be zero
  Put16(&out, 0);       // page splits
  Put16(&out, 0);       // root page
  Put16(&out, 0xFFFF);  // must be -1
  Put16(&out, 1);       // pages
  Put16(&out, 1);       // levels
  Put32(&out, static_cast<std::uint32_t>(files.size()));
  const std::size_t pageStart = out.size();
  Put16(&out, static_cast<std::uint32_t>(kDirectoryPageSize - kLeafPageHeaderSize - entryBytes));
  Put16(&out, static_cast<std::uint32_t>(files.size()));
  Put16(&out, 0xFFFF);  // no previous leaf
  Put16(&out, 0xFFFF);  // no next leaf
  for (std::size_t i = 0; i < files.size(); ++i) {
    out.insert(out.end(), files[i].name.begin(), files[i].name.end());
    out.push_back(0);
    Put32(&out, offsets[i]);
  }
  out.resize(pageStart + kDirectoryPageSize, 0);

  const auto size = static_cast<std::uint32_t>(out.size());
  Bytes header;
  Put32(&header, kHelpFileMagic);
  Put32(&header, directoryStart);
  Put32(&header, 0xFFFFFFFF);  // no free list
  Put32(&header, size);
  std::copy(header.begin(), header.end(), out.begin());
  *file = std::move(out);
  return true;
}

bool FindContext(const Bytes& contextFile, std::uint32_t hash, std::uint32_t* topicOffset) {
  bool found = false;
  const bool walked = WalkLeaves(contextFile, [&](const std::uint8_t* p, std::size_t avail,
                                                  std::size_t* used) {
    if (avail < 8) return false;
    if (!found && U32(p) == hash) {
      *topicOffset = U32(p + 4);
      found = true;
    }
    *used = 8;
    return true;
  });
  return walked && found;
}

bool AddContextNumberMap(const Bytes& file, const std::vector<HelpContextId>& ids, Bytes* out,
                         std::string* error) {
  std::vector<InternalFile> files;
  if (!ReadHelpFile(file, &files, error)) return false;
  const InternalFile* context = FindFile(files, kContextFile);
  if (!context) return Fail(error, "the help file has no named topics");
  if (ids.size() > kMaxMapEntries) return Fail(error, "too many help ids");

  std::vector<std::pair<std::uint32_t, std::uint32_t>> map;
  for (const HelpContextId& id : ids) {
    const std::string which = id.name + " (" + std::to_string(id.id) + ")";
    std::uint32_t hash = 0;
    if (!HashContextName(id.name, &hash)) return Fail(error, which + " is not a topic name");
    std::uint32_t offset = 0;
    if (!FindContext(context->data, hash, &offset)) {
      return Fail(error, which + ": no topic of that name in the manual");
    }
    map.emplace_back(id.id, offset);
  }
  std::sort(map.begin(), map.end());
  map.erase(std::unique(map.begin(), map.end()), map.end());
  for (std::size_t i = 1; i < map.size(); ++i) {
    if (map[i].first == map[i - 1].first) {
      return Fail(error, "help id " + std::to_string(map[i].first) + " names two topics");
    }
  }

  InternalFile mapFile{kContextNumberFile, 0, {}};
  Put16(&mapFile.data, static_cast<std::uint32_t>(map.size()));
  for (const auto& [id, offset] : map) {
    Put32(&mapFile.data, id);
    Put32(&mapFile.data, offset);
  }
  files.erase(std::remove_if(files.begin(), files.end(),
                             [](const InternalFile& f) { return f.name == kContextNumberFile; }),
              files.end());
  const auto at = std::lower_bound(
      files.begin(), files.end(), mapFile.name,
      [](const InternalFile& f, const std::string& name) { return f.name < name; });
  files.insert(at, std::move(mapFile));
  return WriteHelpFile(files, out, error);
}

}  // namespace quantora
