#include "RecordDigests.h"

#include <QCryptographicHash>
#include <algorithm>

#include "DataFile.h"

namespace quilor {

RecordDigest DigestOf(const Record& record) {
  QCryptographicHash hash(QCryptographicHash::Sha256);
  for (int field = 0; field < kFieldCount; ++field) {
    const std::string text = FieldToText(record.values[field], kFields[field].kind);
    // The length first, so that no two different records run together alike.
    const std::string length = std::to_string(text.size()) + ":";
    hash.addData(QByteArrayView(length.data(), static_cast<qsizetype>(length.size())));
    hash.addData(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
  }
  const QByteArray result = hash.result();
  RecordDigest digest{};
  std::copy(result.begin(), result.end(), digest.begin());
  return digest;
}

RecordDigests::RecordDigests(RecordTable& table) {
  const RecordTable::Bookmark mark = table.remember();
  for (table.first(); !table.eof(); table.next()) {
    digests_.try_emplace(table.text(Field::RecordNumber), DigestOf(table.current()));
  }
  table.returnTo(mark);
}

const RecordDigest* RecordDigests::find(const std::string& recordNumber) const {
  const auto found = digests_.find(recordNumber);
  return found == digests_.end() ? nullptr : &found->second;
}

}  // namespace quilor
