#pragma once

#include <QString>

namespace quilor {

// A count with the third-person possessive after an apostrophe, as Turkish
// reads it aloud: "1'i", "2'si", "3'ü", "6'sı", "9'u", "10'u", "40'ı",
// "100'ü", "1000'i". The ending follows the last word spoken (dokuz,
// kırk, yüz, bin ...), its vowel and whether it ends in a vowel.
QString CountWithPossessive(long long count);

}  // namespace quilor
