#include "ScriptPieces.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace quilor {

namespace {

constexpr std::string_view kWaitStart = "{BEKLE_";

struct Placeholder {
  std::string_view token;
  int field;
};

constexpr std::array<Placeholder, 6> kPlaceholders{{
    {"{KULLANICIADI}", Field::UserName},
    {"{SIFRE1}", Field::Password},
    {"{SIFRE2}", Field::Password2},
    {"{WEBADRES}", Field::WebAddress},
    {"{OZELKODU1}", Field::Code1},
    {"{OZELKODU2}", Field::Code2},
}};

std::string ReplaceAll(std::string_view text, std::string_view token, std::string_view value) {
  std::string out;
  std::size_t from = 0;
  for (std::size_t at = text.find(token); at != std::string_view::npos;
       at = text.find(token, from)) {
    out.append(text.substr(from, at - from)).append(value);
    from = at + token.size();
  }
  out.append(text.substr(from));
  return out;
}

// Lines as a text editor sees them: CR LF, CR and LF each end one, and a
// break at the very end starts no further line.
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return lines;
}

int WaitMilliseconds(std::string_view token) {
  std::string digits;
  for (std::size_t i = 0; i < token.size();) {
    if (token.substr(i).starts_with(kWaitStart)) {
      i += kWaitStart.size();
    } else {
      if (token[i] != '}') digits += token[i];
      ++i;
    }
  }
  std::string_view number = digits;
  if (number.starts_with('+') && !number.substr(1).starts_with('-')) number.remove_prefix(1);
  int value = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (number.empty() || error != std::errc() || end != number.data() + number.size()) return 0;
  return value;
}

}  // namespace

int LongestWait(const std::vector<ScriptPiece>& pieces) {
  int longest = 0;
  for (const ScriptPiece& piece : pieces) {
    if (piece.isWait) longest = std::max(longest, piece.waitMilliseconds);
  }
  return longest;
}

std::string RecordScript(const RecordTable& records) {
  std::string script = records.text(Field::AutoFillScript);
  return script.empty() ? std::string(kDefaultScript) : script;
}

std::string ExpandPlaceholders(std::string_view script, const RecordTable& records) {
  std::string text(script);
  for (const Placeholder& p : kPlaceholders)
    text = ReplaceAll(text, p.token, records.text(p.field));
  return text;
}

std::vector<ScriptPiece> SplitScript(std::string_view script) {
  // Every wait starts a line of its own.
  const std::string text = ReplaceAll(script, kWaitStart, "\r\n" + std::string(kWaitStart));
  std::vector<ScriptPiece> pieces;
  for (const std::string_view line : SplitLines(text)) {
    if (!line.starts_with(kWaitStart)) {
      pieces.push_back({false, 0, std::string(line)});
      continue;
    }
    const std::size_t close = line.find('}');
    if (close == std::string_view::npos) continue;
    pieces.push_back({true, WaitMilliseconds(line.substr(0, close + 1)), {}});
    pieces.push_back({false, 0, std::string(line.substr(close + 1))});
  }
  return pieces;
}

}  // namespace quilor
