// An auto-fill script from the record to the keys: placeholders, line
// breaks and waits, typed on a recorded US keyboard.
#include <gtest/gtest.h>

#include "KeyScript.h"
#include "RecordingKeySink.h"
#include "ScriptPieces.h"
#include "ScriptRun.h"

namespace quilor {
namespace {

using test::RecordingKeyboard;

// One record holding the given secrets; the table's current record.
class OneRecord {
 public:
  OneRecord(std::string user, std::string password, std::string password2) {
    records.append();
    records.setText(Field::RecordNumber, "1");
    records.setText(Field::UserName, user);
    records.setText(Field::Password, password);
    records.setText(Field::Password2, password2);
    records.setText(Field::WebAddress, "www.banka.com.tr");
    records.setText(Field::Code1, "K1");
    records.setText(Field::Code2, "K2");
    records.post();
  }
  RecordTable records;
};

TEST(ExpandPlaceholders, ReplacesInOrderWithExactCase) {
  struct Case {
    const char* script;
    const char* expanded;
  };
  // The user name holds "{SIFRE1}", which is replaced in turn; password 1
  // holds "{KULLANICIADI}", whose turn has passed.
  OneRecord record("ali{SIFRE1}", "p{KULLANICIADI}", "q2");
  const Case cases[] = {
      {"{KULLANICIADI}{TAB}{SIFRE1}", "alip{KULLANICIADI}{TAB}p{KULLANICIADI}"},
      {"{SIFRE2}{SIFRE2}", "q2q2"},
      {"{WEBADRES}/{OZELKODU1}/{OZELKODU2}", "www.banka.com.tr/K1/K2"},
      {"{sifre1}{Sifre2}{KULLANICIADI", "{sifre1}{Sifre2}{KULLANICIADI"},
      {"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ExpandPlaceholders(c.script, record.records), c.expanded) << c.script;
  }
}

std::string Describe(const std::vector<ScriptPiece>& pieces) {
  std::string out;
  for (const ScriptPiece& p : pieces) {
    out += out.empty() ? "" : "|";
    out += p.isWait ? "wait " + std::to_string(p.waitMilliseconds) : "'" + p.keys + "'";
  }
  return out;
}

TEST(SplitScript, CutsAtLineBreaksAndWaits) {
  struct Case {
    const char* script;
    const char* pieces;
  };
  const Case cases[] = {
      {"a{BEKLE_500}b", "'a'|wait 500|'b'"},
      {"{BEKLE_3000}x", "''|wait 3000|'x'"},
      {"a{BEKLE_1}{BEKLE_2}", "'a'|wait 1|''|wait 2|''"},
      {"{BEKLE_0}{BEKLE_-5}{BEKLE_abc}{BEKLE_+7}", "''|wait 0|''|wait -5|''|wait 0|''|wait 7|''"},
      {"a{BEKLE_99999999999}b", "'a'|wait 0|'b'"},
      // Only the upper-case form is a wait.
      {"{bekle_1000}", "'{bekle_1000}'"},
      // Without its closing brace the wait and the rest of its line go.
      {"ab{BEKLE_1000xy", "'ab'"},
      {"ab{BEKLE_1000xy\r\ncd", "'ab'|'cd'"},
      {"a\r\nb\rc\nd\n\re", "'a'|'b'|'c'|'d'|''|'e'"},
      {"abc\r\n", "'abc'"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Describe(SplitScript(c.script)), c.pieces) << c.script;
}

// Types a script for the record and writes the waits among the key events.
std::string RunTyped(const std::string& script, const RecordTable& records,
                     RecordingKeyboard& keyboard) {
  RunScriptPieces(SplitScript(ExpandPlaceholders(script, records)), keyboard,
                  [&](std::chrono::milliseconds pause) {
                    keyboard.sink.events.push_back("wait" + std::to_string(pause.count()));
                  });
  return keyboard.sink.joined();
}

std::string Typed(std::string_view lowerCaseLetters) {
  std::string out;
  for (char c : lowerCaseLetters) {
    out += out.empty() ? "" : " ";
    out += c == ' ' ? "+  - " : std::string("+") + c + " -" + c;
  }
  return out;
}

TEST(RunScriptPieces, TypesAFullLoginWithItsWaits) {
  // Password 1 "x+y": the plus holds Shift for the next key.
  OneRecord record("ali", "x+y", "gizli");
  RecordingKeyboard keyboard;
  const std::string events = RunTyped(
      "{KULLANICIADI}{TAB}{SIFRE1}{ENTER}{BEKLE_3000}{SIFRE2}{ENTER}{BEKLE_2000}"
      "Otomatik doldurma test^S",
      record.records, keyboard);
  EXPECT_EQ(events, Typed("ali") + " +vk9 -vk9 +x -x +Shift +y -y -Shift +vk13 -vk13 wait3000 " +
                        Typed("gizli") + " +vk13 -vk13 wait2000 +Shift +o -o -Shift " +
                        Typed("tomatik doldurma test") + " +Ctrl +Shift +s -s -Shift -Ctrl");
}

TEST(RunScriptPieces, MessagesAndStopsStayInTheirPiece) {
  OneRecord record("ali", "x", "y");
  struct Case {
    const char* script;
    const char* events;
  };
  const Case cases[] = {
      // An unclosed brace ends its piece only; the wait and the rest still come.
      {"a{TAB{BEKLE_10}b", "+a -a [No Close] wait10 +b -b"},
      {"{bekle_1000}b", "[Invalid Key Name] +b -b"},
      {"{BEKLE_0}{BEKLE_-5}{BEKLE_abc}b", "+b -b"},
  };
  for (const Case& c : cases) {
    RecordingKeyboard keyboard;
    EXPECT_EQ(RunTyped(c.script, record.records, keyboard), c.events) << c.script;
  }
}

TEST(RunScriptPieces, InvalidRepeatCountEndsTheWholeRun) {
  OneRecord record("ali", "x", "y");
  RecordingKeyboard keyboard;
  EXPECT_THROW(RunTyped("a{TAB x}c{BEKLE_10}b", record.records, keyboard), InvalidRepeatCount);
  EXPECT_EQ(keyboard.sink.joined(), "+a -a");
}

}  // namespace
}  // namespace quilor
