// Typed text to a value: never crash, never read past the text, and agree with the C
// library's strtod on the prefix the program accepts.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "conversion/conversion.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const double typed = quantora::ReadInputText(text);
  const double parsed = quantora::ParseInputValue(text.c_str());
  (void)typed;
  // Without hex, "inf" and "nan" words, the parse agrees with strtod (the "C" locale is the
  // fuzzer's) on everything strtod reads as a decimal number.
  const char* p = text.c_str();
  while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
  if (*p == '+' || *p == '-') ++p;
  const bool decimal = (*p >= '0' && *p <= '9' && !(p[0] == '0' && (p[1] == 'x' || p[1] == 'X'))) ||
                       (*p == '.' && p[1] >= '0' && p[1] <= '9');
  if (decimal) {
    const double reference = std::strtod(text.c_str(), nullptr);
    if (!(reference == parsed) && !(std::isnan(reference) && std::isnan(parsed))) __builtin_trap();
  } else if (parsed != 0.0) {
    __builtin_trap();
  }
  return 0;
}
