#include "CountWording.h"

#include <array>

namespace quilor {

namespace {

// The ending after the words for 1..9 and 10..90 (index 0 unused), and
// after yüz, bin, milyon, milyar, trilyon, katrilyon, kentilyon.
constexpr std::array<const char*, 10> kAfterUnits{"",  "i",  "si", "ü", "ü",
                                                  "i", "sı", "si", "i", "u"};
constexpr std::array<const char*, 10> kAfterTens{"", "u", "si", "u", "ı", "si", "ı", "i", "i", "ı"};
constexpr const char* kAfterHundred = "ü";
constexpr std::array<const char*, 7> kAfterThousands{"", "i", "u", "ı", "u", "u", "u"};
constexpr const char* kAfterZero = "ı";  // sıfır

const char* Ending(long long count) {
  if (count == 0) return kAfterZero;
  unsigned long long n = count < 0 ? 0ULL - static_cast<unsigned long long>(count)
                                   : static_cast<unsigned long long>(count);
  std::size_t thousands = 0;
  while (n % 1000 == 0) {
    n /= 1000;
    ++thousands;
  }
  if (thousands > 0) return kAfterThousands[thousands];
  if (n % 10 != 0) return kAfterUnits[n % 10];
  if (n % 100 != 0) return kAfterTens[(n / 10) % 10];
  return kAfterHundred;
}

}  // namespace

QString CountWithPossessive(long long count) {
  return QString::number(count) + QLatin1Char('\'') + QString::fromUtf8(Ending(count));
}

}  // namespace quilor
