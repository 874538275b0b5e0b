#include "RecordDigests.h"

#include <openssl/sha.h>

#include "DataFile.h"
#include "SecureWipe.h"

namespace quilor {

RecordDigest DigestOf(const Record& record) {
  // Every load takes the digest of every record: one hash over one buffer,
  // with OpenSSL's SHA-256, which uses the processor's SHA instructions.
  std::string content;
  content.reserve(512);
  for (int field = 0; field < kFieldCount; ++field) {
    const std::string text = FieldToText(record.values[field], kFields[field].kind);
    // The length first, so that no two different records run together alike.
    content.append(std::to_string(text.size())).append(":").append(text);
  }
  RecordDigest digest{};
  SHA256(reinterpret_cast<const unsigned char*>(content.data()), content.size(), digest.data());
  WipeText(content);
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
