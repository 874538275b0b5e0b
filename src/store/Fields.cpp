#include "Fields.h"

#include <algorithm>
#include <cctype>

namespace quilor {

static bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) ==
                  std::toupper(static_cast<unsigned char>(y));
         });
}

int FieldIndexByName(std::string_view name) {
  for (int i = 0; i < kFieldCount; ++i) {
    if (EqualIgnoringAsciiCase(kFields[i].name, name)) return i;
  }
  return -1;
}

}  // namespace quilor
