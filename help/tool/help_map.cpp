// Build step: help_map COMPILED.HLP HEADER OUT.HLP
// Writes OUT.HLP, the compiled manual with every "HC_" id of the resource header mapped to
// the topic of the same name, so that the viewer finds the topics the program asks for by
// number. Fails, naming the id, when the manual has no topic for one of them.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "help/help_file.h"

namespace {

bool ReadAll(const char* path, std::string* text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  text->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

int Fail(const std::string& why) {
  std::fprintf(stderr, "help_map: %s\n", why.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) return Fail("usage: help_map COMPILED.HLP HEADER OUT.HLP");
  std::string compiled;
  std::string header;
  if (!ReadAll(argv[1], &compiled)) return Fail(std::string("cannot read ") + argv[1]);
  if (!ReadAll(argv[2], &header)) return Fail(std::string("cannot read ") + argv[2]);
  const auto ids = quantora::ReadHelpContextIds(header);
  if (ids.empty()) return Fail(std::string("no HC_ ids in ") + argv[2]);

  quantora::Bytes mapped;
  std::string error;
  if (!quantora::AddContextNumberMap(quantora::Bytes(compiled.begin(), compiled.end()), ids,
                                     &mapped, &error)) {
    return Fail(std::string(argv[1]) + ": " + error);
  }
  std::ofstream out(argv[3], std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(mapped.data()),
            static_cast<std::streamsize>(mapped.size()));
  out.close();
  if (!out) return Fail(std::string("cannot write ") + argv[3]);
  std::printf("help_map: %zu help ids mapped in %s\n", ids.size(), argv[3]);
  return 0;
}
