#include "Csv.h"

#include "CsvTexts.h"

namespace quilor::cli {

namespace {

class CsvReader {
 public:
  explicit CsvReader(std::string_view text) : text_(text) {
    if (text_.starts_with("\xEF\xBB\xBF")) at_ = 3;
  }

  std::vector<CsvRow> rows() {
    std::vector<CsvRow> rows;
    while (at_ < text_.size()) {
      if (atLineEnd()) {
        skipLineEnd();
        continue;
      }
      rows.push_back(row());
    }
    return rows;
  }

 private:
  bool atLineEnd() const {
    return text_[at_] == '\n' ||
           (text_[at_] == '\r' && at_ + 1 < text_.size() && text_[at_ + 1] == '\n');
  }
  void skipLineEnd() { at_ += text_[at_] == '\r' ? 2 : 1; }

  CsvRow row() {
    CsvRow row;
    for (;;) {
      row.offsets.push_back(at_);
      row.fields.push_back(field());
      if (at_ >= text_.size()) break;
      if (text_[at_] == ',') {
        ++at_;
        continue;
      }
      skipLineEnd();  // field() stops only at a comma, a line end or the end
      break;
    }
    return row;
  }

  std::string field() {
    if (at_ < text_.size() && text_[at_] == '"') return quotedField();
    const std::size_t start = at_;
    while (at_ < text_.size() && text_[at_] != ',' && !atLineEnd()) {
      if (text_[at_] == '"') throw CsvError(text::kCsvStrayQuote, at_);
      ++at_;
    }
    return std::string(text_.substr(start, at_ - start));
  }

  std::string quotedField() {
    const std::size_t opening = at_++;
    std::string value;
    for (;;) {
      if (at_ >= text_.size()) throw CsvError(text::kCsvOpenQuote, opening);
      const char c = text_[at_++];
      if (c != '"') {
        value.push_back(c);
      } else if (at_ < text_.size() && text_[at_] == '"') {
        value.push_back('"');
        ++at_;
      } else {
        break;
      }
    }
    if (at_ < text_.size() && text_[at_] != ',' && !atLineEnd()) {
      throw CsvError(text::kCsvAfterQuote, at_);
    }
    return value;
  }

  std::string_view text_;
  std::size_t at_ = 0;
};

}  // namespace

std::vector<CsvRow> ParseCsv(std::string_view text) { return CsvReader(text).rows(); }

void AppendCsvRow(std::string& out, const std::vector<std::string>& fields) {
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) out.push_back(',');
    out.push_back('"');
    for (const char c : fields[i]) {
      if (c == '"') out.push_back('"');
      out.push_back(c);
    }
    out.push_back('"');
  }
  out.append("\r\n");
}

}  // namespace quilor::cli
