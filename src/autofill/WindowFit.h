#pragma once

#include <QString>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quilor {

// What a record offers to be recognised by in a window title: its title and
// the host of its web address, both folded the way the search folds.
struct FitKeys {
  std::string title;  // folded Windows-1254 bytes
  std::string host;   // folded, without "www."; empty when there is no address
};

// The host part of a web or mail address, without a leading "www.":
// "https://www.banka.com.tr/giris" gives "banka.com.tr", "ali@posta.net"
// gives "posta.net". Windows-1254 bytes in and out.
std::string AddressHost(std::string_view address);

FitKeys MakeFitKeys(std::string_view title, std::string_view webAddress);

// A window title as folded bytes to look for record keys in. A character
// no record can hold becomes a byte no folded key holds, so nothing fits
// across it.
std::string FoldedWindowTitle(const QString& title);

struct WindowFit {
  std::size_t record = 0;  // index into the keys given
  std::size_t length = 0;  // how much of the window title it covers
};

// The records whose title or host appears in the folded window title, the
// longest match first; records of equal length keep their order.
std::vector<WindowFit> FitsForWindow(std::string_view foldedWindowTitle,
                                     const std::vector<FitKeys>& records);

}  // namespace quilor
