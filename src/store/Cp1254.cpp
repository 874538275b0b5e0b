#include "Cp1254.h"

#include <iconv.h>

#include <array>
#include <stdexcept>
#include <unordered_map>

#include "StoreTexts.h"

namespace quilor {

namespace {

// The code page's 256 characters, read once from the system's converter.
// The few bytes Windows-1254 leaves undefined map to the code point of the
// same number, as Windows does, so that every byte survives a round trip.
struct CodePage {
  std::array<char16_t, 256> toUnicode{};
  std::unordered_map<char16_t, unsigned char> fromUnicode;

  CodePage() {
    iconv_t cd = iconv_open("UTF-16LE", "CP1254");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
      throw std::runtime_error(store_texts::kNoCodePageConverter);
    }
    for (int b = 0; b < 256; ++b) {
      char in = static_cast<char>(b);
      unsigned char out[4] = {};
      char* inPtr = &in;
      char* outPtr = reinterpret_cast<char*>(out);
      size_t inLeft = 1, outLeft = sizeof out;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
      const bool ok =
          iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1) && outLeft == 2;
      toUnicode[b] = ok ? static_cast<char16_t>(out[0] | (out[1] << 8)) : static_cast<char16_t>(b);
      fromUnicode.emplace(toUnicode[b], static_cast<unsigned char>(b));
    }
    iconv_close(cd);
  }
};

const CodePage& Table() {
  static const CodePage table;
  return table;
}

}  // namespace

QString FromCp1254(std::string_view bytes) {
  const CodePage& cp = Table();
  QString result(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
  QChar* out = result.data();
  for (unsigned char b : bytes) *out++ = QChar(cp.toUnicode[b]);
  return result;
}

void AppendCp1254AsUtf8(std::string& out, std::string_view bytes) {
  const CodePage& cp = Table();
  for (unsigned char b : bytes) {
    // Every character of the code page lies in the Basic Multilingual Plane.
    const char16_t c = cp.toUnicode[b];
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
}

Cp1254Result ToCp1254(const QString& text) {
  const CodePage& cp = Table();
  Cp1254Result result;
  result.bytes.reserve(static_cast<size_t>(text.size()));
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    auto it = cp.fromUnicode.find(c.unicode());
    if (it == cp.fromUnicode.end()) {
      result.unmappable = c;
      result.unmappableIndex = i;
      return result;
    }
    result.bytes.push_back(static_cast<char>(it->second));
  }
  return result;
}

qsizetype CharacterPosition(const QString& text, qsizetype index) {
  qsizetype position = 0;
  for (qsizetype i = 0; i <= index && i < text.size(); ++i) {
    if (!text[i].isLowSurrogate() || i == 0 || !text[i - 1].isHighSurrogate()) ++position;
  }
  return position;
}

}  // namespace quilor
