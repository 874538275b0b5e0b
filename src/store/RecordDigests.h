#pragma once

#include <array>
#include <string>
#include <unordered_map>

#include "RecordTable.h"

namespace quilor {

using RecordDigest = std::array<unsigned char, 32>;

// A digest of every value of a record as the data file would hold it (so an
// empty text and a null one are alike). Taken of the plain values: two
// tables read under different master passwords still compare.
RecordDigest DigestOf(const Record& record);

// The digest of each record of a table by its record number, as the table
// was read: what a later save compares the file's fresh content with, to
// see which records changed elsewhere meanwhile. Where two records share a
// number, the first counts, as a lookup by number finds the first.
class RecordDigests {
 public:
  RecordDigests() = default;
  explicit RecordDigests(RecordTable& table);

  // Null when the table held no record with this number.
  const RecordDigest* find(const std::string& recordNumber) const;

 private:
  std::unordered_map<std::string, RecordDigest> digests_;
};

}  // namespace quilor
