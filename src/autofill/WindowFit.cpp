#include "WindowFit.h"

#include <algorithm>

#include "Cp1254.h"
#include "SearchFold.h"

namespace quilor {

namespace {

// Never in a folded key: record texts cannot hold a NUL.
constexpr char kNoMatch = '\0';

bool StartsWithIgnoringCase(std::string_view text, std::string_view start) {
  return text.size() >= start.size() && FoldText(text.substr(0, start.size())) == FoldText(start);
}

}  // namespace

std::string AddressHost(std::string_view address) {
  std::string_view rest = address;
  const std::size_t blank = rest.find_first_not_of(" \t");
  rest = blank == std::string_view::npos ? std::string_view{} : rest.substr(blank);
  if (const std::size_t scheme = rest.find("://"); scheme != std::string_view::npos) {
    rest = rest.substr(scheme + 3);
  } else if (StartsWithIgnoringCase(rest, "mailto:")) {
    rest = rest.substr(7);
  }
  rest = rest.substr(0, rest.find_first_of("/?# \t"));
  if (const std::size_t at = rest.rfind('@'); at != std::string_view::npos) {
    rest = rest.substr(at + 1);
  }
  rest = rest.substr(0, rest.find(':'));
  if (StartsWithIgnoringCase(rest, "www.")) rest = rest.substr(4);
  return std::string(rest);
}

FitKeys MakeFitKeys(std::string_view title, std::string_view webAddress) {
  return {FoldText(title), FoldText(AddressHost(webAddress))};
}

std::string FoldedWindowTitle(const QString& title) {
  std::string bytes;
  bytes.reserve(std::size_t(title.size()));
  for (qsizetype i = 0; i < title.size(); ++i) {
    const qsizetype length = title[i].isHighSurrogate() && i + 1 < title.size() ? 2 : 1;
    Cp1254Result one = ToCp1254(title.mid(i, length));
    bytes.push_back(one.unmappable || one.bytes.size() != 1 ? kNoMatch : one.bytes[0]);
    i += length - 1;
  }
  FoldInPlace(bytes);
  return bytes;
}

std::vector<WindowFit> FitsForWindow(std::string_view foldedWindowTitle,
                                     const std::vector<FitKeys>& records) {
  auto covers = [&](const std::string& key) {
    return !key.empty() && foldedWindowTitle.find(key) != std::string_view::npos ? key.size() : 0;
  };
  std::vector<WindowFit> fits;
  for (std::size_t i = 0; i < records.size(); ++i) {
    const std::size_t length = std::max(covers(records[i].title), covers(records[i].host));
    if (length > 0) fits.push_back({i, length});
  }
  std::stable_sort(fits.begin(), fits.end(),
                   [](const WindowFit& a, const WindowFit& b) { return a.length > b.length; });
  return fits;
}

}  // namespace quilor
