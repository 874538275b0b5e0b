// The key-script language: which key events a script stands for, on a US
// keyboard recorded event by event.
#include <gtest/gtest.h>

#include "KeyScript.h"
#include "RecordingKeySink.h"

namespace quilor {
namespace {

using test::FakeUsLayout;
using test::RecordingKeySink;

struct ScriptCase {
  std::u32string script;
  std::string events;
  bool completed;
};

void PrintTo(const ScriptCase& c, std::ostream* out) {
  for (char32_t ch : c.script) *out << (ch < 0x80 ? static_cast<char>(ch) : '?');
}

class KeyScriptEvents : public ::testing::TestWithParam<ScriptCase> {};

TEST_P(KeyScriptEvents, SendsTheseEvents) {
  FakeUsLayout layout;
  RecordingKeySink sink;
  const bool completed = TypeKeys(GetParam().script, layout, sink);
  EXPECT_EQ(sink.joined(), GetParam().events);
  EXPECT_EQ(completed, GetParam().completed);
}

INSTANTIATE_TEST_SUITE_P(
    Plain, KeyScriptEvents,
    ::testing::Values(ScriptCase{U"abc", "+a -a +b -b +c -c", true},
                      ScriptCase{U"AB", "+Shift +a -a -Shift +Shift +b -b -Shift", true},
                      ScriptCase{U"a b", "+a -a +  -  +b -b", true},
                      ScriptCase{U"€", "+AltGr +e -e -AltGr", true},
                      // No key types it: the message, then typing goes on.
                      ScriptCase{U"xğy", "+x -x [Invalid KeyName] +y -y", true},
                      ScriptCase{U"", "", false},
                      // The text ends at its first NUL.
                      ScriptCase{std::u32string(U"ab\0cd", 5), "+a -a +b -b", true}));

INSTANTIATE_TEST_SUITE_P(
    Modifiers, KeyScriptEvents,
    ::testing::Values(ScriptCase{U"+abc", "+Shift +a -a -Shift +b -b +c -c", true},
                      ScriptCase{U"+(abc)d", "+Shift +a -a +b -b +c -c -Shift +d -d", true},
                      ScriptCase{U"^s", "+Ctrl +s -s -Ctrl", true},
                      // The capital carries its own Shift inside the held Ctrl.
                      ScriptCase{U"^S", "+Ctrl +Shift +s -s -Shift -Ctrl", true},
                      ScriptCase{U"%{F4}", "+Alt +vk115 -vk115 -Alt", true},
                      ScriptCase{U"+^%a", "+Shift +Ctrl +Alt +a -a -Shift -Ctrl -Alt", true},
                      ScriptCase{U"~", "+vk13 -vk13", true},
                      ScriptCase{U"+~a", "+Shift +vk13 -vk13 -Shift +a -a", true},
                      ScriptCase{U"(", "", true}, ScriptCase{U")a", "+a -a", true},
                      // Held keys are let go at the end even inside an open group, so the
                      // user's keyboard is not left with Shift down.
                      ScriptCase{U"+(ab", "+Shift +a -a +b -b -Shift", true}));

INSTANTIATE_TEST_SUITE_P(
    KeyNames, KeyScriptEvents,
    ::testing::Values(
        ScriptCase{U"{BACKSPACE}{BKSP}{BS}", "+vk8 -vk8 +vk8 -vk8 +vk8 -vk8", true},
        ScriptCase{U"{enter}{Enter}{ENTER}", "+vk13 -vk13 +vk13 -vk13 +vk13 -vk13", true},
        ScriptCase{U"{DECIMAL}{PRTSC}{HOME}{F16}",
                   "+vk110 -vk110 +vk42 -vk42 +vk36 -vk36 +vk127 -vk127", true},
        ScriptCase{U"{BREAK}{SCROLLLOCK}{UP}", "+vk3 -vk3 +vk145 -vk145 +vk38 -vk38", true},
        ScriptCase{U"{NOSUCH}a", "[Invalid Key Name] +a -a", true},
        ScriptCase{U"{}a", "[Invalid Key Name] +a -a", true},
        ScriptCase{U"{TAB 3}", "+vk9 -vk9 +vk9 -vk9 +vk9 -vk9", true},
        ScriptCase{U"{TAB 0}x", "+x -x", true},
        ScriptCase{U"{TAB +2}", "+vk9 -vk9 +vk9 -vk9", true},
        // Low 16 bits of the count: 65538 is 2.
        ScriptCase{U"{TAB 65538}", "+vk9 -vk9 +vk9 -vk9", true},
        // Cut to 20 characters before the count is read: fifteen zeros.
        ScriptCase{U"{PGDN 0000000000000002}x", "+x -x", true},
        ScriptCase{U"{NUMLOCK}", "NumLock", true}, ScriptCase{U"{NUMLOCK 5}", "NumLock", true},
        ScriptCase{U"^{NUMLOCK}", "+Ctrl NumLock -Ctrl", true}));

INSTANTIATE_TEST_SUITE_P(
    OneCharacterGroups, KeyScriptEvents,
    ::testing::Values(
        // Letters a-z are upper-cased in a group, so {a} types a capital.
        ScriptCase{U"{a}", "+Shift +a -a -Shift", true},
        ScriptCase{U"{+}{(}{~}", "+Shift += -= -Shift +Shift +9 -9 -Shift +Shift +` -` -Shift",
                   true},
        ScriptCase{U"{x 2}", "+Shift +x -x +x -x -Shift", true},
        // No key types it, and no message is shown.
        ScriptCase{U"{ğ}a", "+a -a", true}));

INSTANTIATE_TEST_SUITE_P(Braces, KeyScriptEvents,
                         ::testing::Values(
                             // Typed with the layout's own key for the brace.
                             ScriptCase{U"{{}", "+Shift +[ -[ -Shift", true},
                             ScriptCase{U"{}}", "+Shift +] -] -Shift", true},
                             ScriptCase{U"a{{}b", "+a -a +Shift +[ -[ -Shift +b -b", true},
                             // A group directly followed by "}" types the brace, not the group.
                             ScriptCase{U"{TAB}}", "+Shift +] -] -Shift", true},
                             ScriptCase{U"x{TAB", "+x -x [No Close]", false},
                             ScriptCase{U"{", "[No Close]", false},
                             ScriptCase{U"+(a{TAB", "+Shift +a -a [No Close] -Shift", false}));

TEST(KeyScript, CountMinusOneSendsTheKey65535Times) {
  FakeUsLayout layout;
  const KeyProgram program = ParseKeyScript(U"{TAB -1}", layout);
  ASSERT_EQ(program.steps.size(), 1u);
  EXPECT_EQ(program.steps[0].action, KeyStep::Action::Tap);
  EXPECT_EQ(program.steps[0].key, Key::named(9));
  EXPECT_EQ(program.steps[0].count, 65535u);
}

TEST(KeyScript, CountThatIsNoNumberStopsAfterTheKeysBeforeIt) {
  struct Case {
    std::u32string script;
    std::string message;
  };
  const Case cases[] = {
      {U"a{TAB x}b", "'X' is not a valid integer value"},
      {U"a{TAB }b", "'' is not a valid integer value"},
      {U"a{TAB 1.5}b", "'1.5' is not a valid integer value"},
      {U"a{TAB 99999999999}b", "'99999999999' is not a valid integer value"},
      {U"a{TAB +-1}b", "'+-1' is not a valid integer value"},
      {U"a{ }b", "'' is not a valid integer value"},
  };
  for (const Case& c : cases) {
    FakeUsLayout layout;
    RecordingKeySink sink;
    try {
      TypeKeys(c.script, layout, sink);
      ADD_FAILURE() << c.message << ": no error";
    } catch (const InvalidRepeatCount& e) {
      EXPECT_EQ(e.what(), c.message);
    }
    EXPECT_EQ(sink.joined(), "+a -a") << c.message;
  }
}

TEST(KeyScript, RepeatCountMessageNamesTheTextInUtf8) {
  FakeUsLayout layout;
  RecordingKeySink sink;
  EXPECT_THROW(
      {
        try {
          TypeKeys(U"+({TAB ş})", layout, sink);
        } catch (const InvalidRepeatCount& e) {
          EXPECT_STREQ(e.what(), "'ş' is not a valid integer value");
          throw;
        }
      },
      InvalidRepeatCount);
  // Shift held by the group is let go before the error leaves.
  EXPECT_EQ(sink.joined(), "+Shift -Shift");
}

}  // namespace
}  // namespace quilor
