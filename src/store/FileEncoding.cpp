#include "FileEncoding.h"

#include <QString>
#include <QStringDecoder>
#include <stdexcept>
#include <string_view>

#include "Cp1254.h"

namespace quilor {

namespace {

struct ByteOrderMark {
  std::string_view bytes;
  QStringConverter::Encoding encoding;
  const char* name;
};

constexpr ByteOrderMark kMarks[] = {
    {"\xEF\xBB\xBF", QStringConverter::Utf8, "UTF-8"},
    {"\xFF\xFE", QStringConverter::Utf16LE, "UTF-16"},
    {"\xFE\xFF", QStringConverter::Utf16BE, "UTF-16"},
};

// UTF-8, the message's own encoding.
[[noreturn]] void Refuse(const std::string& path, const std::string& problem) {
  throw std::runtime_error(path + ": " + problem + "; dosya değiştirilmedi");
}

QString CodePointName(char32_t codePoint) {
  return QStringLiteral("U+%1")
      .arg(static_cast<uint>(codePoint), 4, 16, QLatin1Char('0'))
      .toUpper();
}

}  // namespace

std::string DataFileTextInCp1254(std::string bytes, const std::string& path) {
  const ByteOrderMark* mark = nullptr;
  for (const auto& candidate : kMarks) {
    if (std::string_view(bytes).starts_with(candidate.bytes)) mark = &candidate;
  }
  if (mark == nullptr) return bytes;

  const QByteArrayView encoded = QByteArrayView(bytes).sliced(mark->bytes.size());
  QStringDecoder decoder(mark->encoding, QStringConverter::Flag::Stateless);
  const QString text = decoder.decode(encoded);
  // A half character at the end is cut off, not an error, to the decoder. A
  // zero character is no text: such a file is most likely in some other
  // encoding that merely starts like this one (UTF-32 does).
  const bool halfUnitLeft = mark->encoding != QStringConverter::Utf8 && encoded.size() % 2 != 0;
  if (decoder.hasError() || halfUnitLeft || text.contains(QChar(0))) {
    Refuse(path, std::string("dosya geçerli bir ") + mark->name + " metni değil");
  }
  Cp1254Result converted = ToCp1254(text);
  if (converted.unmappable) {
    const QChar c = *converted.unmappable;
    Refuse(path, "dosyada Windows-1254'te olmayan bir karakter var: " +
                     (c.isSurrogate() ? CodePointName(c.unicode())
                                      : QString(c) + " (" + CodePointName(c.unicode()) + ")")
                         .toStdString());
  }
  return std::move(converted.bytes);
}

}  // namespace quilor
