#include "Fields.h"

namespace quilor {

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

int FieldIndexByName(std::string_view name) {
  for (int i = 0; i < kFieldCount; ++i) {
    if (EqualsIgnoringAsciiCase(kFields[i].name, name)) return i;
  }
  return -1;
}

}  // namespace quilor
