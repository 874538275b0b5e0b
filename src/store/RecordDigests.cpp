#include "RecordDigests.h"

#include <openssl/sha.h>

#include <vector>

#include "DataFile.h"
#include "SecureWipe.h"
#include "WorkerThreads.h"

namespace quilor {

RecordDigest DigestOf(const Record& record) {
  // Every load takes the digest of every record: one hash over one buffer,
  // with OpenSSL's SHA-256, which uses the processor's SHA instructions.
  std::string content;
  content.reserve(512);
  const auto values = record.values.all();
  for (int field = 0; field < kFieldCount; ++field) {
    // The length after the text, so that no two different records run
    // together alike.
    const std::size_t start = content.size();
    AppendFieldText(content, values[static_cast<std::size_t>(field)], kFields[field].kind);
    content.append(":").append(std::to_string(content.size() - start)).append(";");
  }
  RecordDigest digest{};
  SHA256(reinterpret_cast<const unsigned char*>(content.data()), content.size(), digest.data());
  WipeText(content);
  return digest;
}

RecordDigests::RecordDigests(RecordTable& table) {
  std::vector<const Record*> records;
  records.reserve(table.recordCount());
  const RecordTable::Bookmark mark = table.remember();
  for (table.first(); !table.eof(); table.next()) records.push_back(&table.current());
  table.returnTo(mark);

  std::vector<RecordDigest> digests(records.size());
  ParallelFor(records.size(), [&](std::size_t i) {
    digests[i] = DigestOf(*records[i]);
    return true;
  });
  digests_.reserve(records.size());
  for (std::size_t i = 0; i < records.size(); ++i) {
    digests_.try_emplace(std::string(records[i]->values[Field::RecordNumber].text), digests[i]);
  }
}

const RecordDigest* RecordDigests::find(const std::string& recordNumber) const {
  const auto found = digests_.find(recordNumber);
  return found == digests_.end() ? nullptr : &found->second;
}

}  // namespace quilor
