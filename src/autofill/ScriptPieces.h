#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "RecordTable.h"

namespace quilor {

// What a record without a script of its own types: user name, Tab, password, Enter.
inline constexpr std::string_view kDefaultScript = "{KULLANICIADI}{TAB}{SIFRE1}{ENTER}";

// The current record's script, or kDefaultScript when it has none.
std::string RecordScript(const RecordTable& records);

// Puts the current record's values in place of {KULLANICIADI}, {SIFRE1},
// {SIFRE2}, {WEBADRES}, {OZELKODU1} and {OZELKODU2}, in that order and with
// exact case; each step works on the result of the one before. The values
// go in as they are, so key-language characters in them act as such.
// Windows-1254 bytes in and out.
std::string ExpandPlaceholders(std::string_view script, const RecordTable& records);

// A part of an expanded script: keys to type, or a pause.
struct ScriptPiece {
  bool isWait = false;
  int waitMilliseconds = 0;  // pauses of 0 or less are not made
  std::string keys;          // Windows-1254 bytes
};

// Cuts a script at its line breaks and around each "{BEKLE_n}" wait: a wait
// reads the number between its braces (0 when it is not a whole number); a
// "{BEKLE_" without a closing brace drops the rest of its line.
std::vector<ScriptPiece> SplitScript(std::string_view script);

// The longest pause a script may hold. Anything longer is far past what a
// login page needs and would keep the typing going while the user is away.
inline constexpr int kLongestWaitMilliseconds = 60000;
// The longest pause among the pieces; 0 when there is none.
int LongestWait(const std::vector<ScriptPiece>& pieces);

}  // namespace quilor
