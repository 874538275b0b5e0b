// Typing through XTest into a real program on a real X server, read back
// from what that program received. The same expectations hold on every
// layout the run is started with (see CMakeLists: us and tr).
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <memory>

// Xlib's macros (None, Bool, Status...) clash with Qt's names: after Qt.
#include <X11/XKBlib.h>
#include <X11/keysym.h>

#include "AutoFillDesktop.h"
#include "KeyScript.h"
#include "TypingTarget.h"
#include "X11Windows.h"
#include "XTestKeySink.h"

namespace quilor {
namespace {

using test::TargetReport;
using test::TypingTarget;

struct DisplayCloser {
  void operator()(Display* d) const { XCloseDisplay(d); }
};

class XTestTyping : public ::testing::Test {
 protected:
  void SetUp() override {
    display_.reset(XOpenDisplay(nullptr));
    ASSERT_NE(display_, nullptr);
  }

  Display* display() { return display_.get(); }

  void typeInto(const TypingTarget& target, std::u32string_view script) {
    ASSERT_TRUE(ActivateWindowById(display(), target.window()));
    XTestKeySink keyboard(display(), {target.window(), nullptr});
    TypeKeys(script, keyboard, keyboard);
  }

  bool capsLockOn() {
    XkbStateRec state{};
    XkbGetState(display(), XkbUseCoreKbd, &state);
    return state.locked_mods & LockMask;
  }

  // True when no key of the keyboard is down.
  bool allKeysUp() {
    char keys[32] = {};
    XQueryKeymap(display(), keys);
    for (const char k : keys) {
      if (k != 0) return false;
    }
    return true;
  }

 private:
  std::unique_ptr<Display, DisplayCloser> display_;
};

TEST_F(XTestTyping, TargetReceivesTheCharactersTheScriptMeans) {
  struct Case {
    std::u32string script;
    QString first;
    QString second;
  };
  const Case cases[] = {
      {U"Hello World 123", "Hello World 123", ""},
      {U"ğüşöçıİĞÜŞÖÇ", "ğüşöçıİĞÜŞÖÇ", ""},
      // Braces, "@" and the other characters that need AltGr on some layouts.
      {U"{{}a{}}@{~}|\\<>[]{^}{%}{+}#$&*_=?;:'\"", "{a}@~|\\<>[]^%+#$&*_=?;:'\"", ""},
      // On no key of either layout: typed through the spare key.
      {U"€äßé", "€äßé", ""},
      {U"ab{BS}c{LEFT}{LEFT}x{END}y", "xacy", ""},
      {U"+(abc)d", "ABCd", ""},
      {U"user{TAB}pässwörd", "user", "pässwörd"},
  };
  TypingTarget target(display(), QStringLiteral("Giriş Formu"));
  for (const Case& c : cases) {
    target.reset();
    typeInto(target, c.script);
    const TargetReport report = target.waitForFirst(c.first);
    EXPECT_EQ(report.first, c.first);
    EXPECT_EQ(report.second, c.second);
  }
  EXPECT_TRUE(allKeysUp());
}

TEST_F(XTestTyping, TabAndEnterReachTheFormBetweenTheFields) {
  TypingTarget target(display(), QStringLiteral("Giriş Formu"));
  typeInto(target, U"ayşe{TAB}Şifre@1~");
  const TargetReport report = target.waitForKeys(QStringLiteral("<Return>"));
  EXPECT_EQ(report.first, "ayşe");
  EXPECT_EQ(report.second, "Şifre@1");
  EXPECT_EQ(report.keys, "ayşe<Tab>Şifre@1<Return>");
}

TEST_F(XTestTyping, CtrlWithCapitalLetterArrivesAsOneChord) {
  TypingTarget target(display(), QStringLiteral("Giriş Formu"));
  typeInto(target, U"x^Sy");
  const TargetReport report = target.waitForFirst(QStringLiteral("xy"));
  EXPECT_EQ(report.keys, "x<Ctrl+Shift+S>y");
}

TEST_F(XTestTyping, CapsLockIsOffWhileTypingAndOnAgainAfter) {
  TypingTarget target(display(), QStringLiteral("Giriş Formu"));
  XkbLockModifiers(display(), XkbUseCoreKbd, LockMask, LockMask);
  XSync(display(), False);
  ASSERT_TRUE(capsLockOn());
  typeInto(target, U"aBcığ");
  EXPECT_EQ(target.waitForFirst(QStringLiteral("aBcığ")).first, "aBcığ");
  EXPECT_TRUE(capsLockOn());
  XkbLockModifiers(display(), XkbUseCoreKbd, LockMask, 0);
  XSync(display(), False);
}

TEST_F(XTestTyping, NumLockKeyTogglesTheRealNumLock) {
  TypingTarget target(display(), QStringLiteral("Giriş Formu"));
  const unsigned int numLock = XkbKeysymToModifiers(display(), XK_Num_Lock);
  ASSERT_NE(numLock, 0u);
  auto numLockOn = [&] {
    XkbStateRec state{};
    XkbGetState(display(), XkbUseCoreKbd, &state);
    return (state.locked_mods & numLock) != 0;
  };
  const bool before = numLockOn();
  typeInto(target, U"{NUMLOCK 3}");
  EXPECT_NE(numLockOn(), before);
  typeInto(target, U"{NUMLOCK}");
  EXPECT_EQ(numLockOn(), before);
}

TEST_F(XTestTyping, WaitsUntilTheUserLetsGoOfShift) {
  TypingTarget target(display(), QStringLiteral("Giriş Formu"));
  ASSERT_TRUE(ActivateWindowById(display(), target.window()));
  ASSERT_EQ(QProcess::execute("xdotool", {"keydown", "shift"}), 0);
  QProcess letGo;
  letGo.start("sh", {"-c", "sleep 0.4; xdotool keyup shift"});
  typeInto(target, U"def");
  EXPECT_EQ(target.waitForFirst(QStringLiteral("def")).first, "def");
  letGo.waitForFinished();
}

// Takes the keyboard away from the target after a number of key releases,
// the way a user clicking another window would.
class FocusThief final : public Keyboard {
 public:
  FocusThief(Keyboard& inner, Display* display, ::Window other, int releasesBefore)
      : inner_(inner), display_(display), other_(other), releasesLeft_(releasesBefore) {}
  std::optional<KeyStroke> strokeFor(char32_t c) override { return inner_.strokeFor(c); }
  void press(Key key) override { inner_.press(key); }
  void release(Key key) override {
    inner_.release(key);
    if (--releasesLeft_ == 0) ActivateWindowById(display_, other_);
  }
  void toggleNumLock() override { inner_.toggleNumLock(); }
  void showMessage(EngineMessage m) override { inner_.showMessage(m); }

 private:
  Keyboard& inner_;
  Display* display_;
  ::Window other_;
  int releasesLeft_;
};

TEST_F(XTestTyping, TypingStopsWhenAnotherWindowTakesTheKeyboard) {
  TypingTarget chosen(display(), QStringLiteral("Seçilen Pencere"));
  TypingTarget other(display(), QStringLiteral("Başka Pencere"));
  ASSERT_TRUE(ActivateWindowById(display(), chosen.window()));
  {
    XTestKeySink keyboard(display(), {chosen.window(), nullptr});
    // Shift is held by the group when the focus goes: it must not stay down.
    FocusThief thief(keyboard, display(), other.window(), 4);
    EXPECT_THROW(TypeKeys(U"ab+(cdef)", thief, thief), TypingStopped);
  }
  EXPECT_EQ(chosen.waitForFirst(QStringLiteral("abCD")).first, "abCD");
  EXPECT_EQ(other.report().first, "");
  EXPECT_TRUE(allKeysUp());
}

TEST_F(XTestTyping, ActivatesByExactTitleThenByBeginning) {
  TypingTarget form(display(), QStringLiteral("Giriş Formu Alfa"));
  TypingTarget exact(display(), QStringLiteral("Deneme"));
  TypingTarget longer(display(), QStringLiteral("Deneme Beta"));
  std::unique_ptr<AutoFillDesktop> desktop =
      OpenAutoFillDesktop([] { return std::vector<WindowId>{}; });
  ASSERT_NE(desktop, nullptr);

  struct Case {
    const char* title;
    ::Window expected;
  };
  const Case cases[] = {
      // "Deneme Beta" is higher in the stack, but an exact title wins.
      {"Deneme", exact.window()},
      {"deneme b", longer.window()},
      {"giriş", form.window()},
      // Only A-Z match without regard to case.
      {"GİRİŞ", None},
      {"Yok Böyle Bir Pencere", None},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(desktop->activateWindow(c.title), c.expected) << c.title;
    if (c.expected != None) {
      EXPECT_EQ(ActiveWindow(display()), c.expected) << c.title;
    }
  }
}

TEST_F(XTestTyping, WindowListHasApplicationWindowsTopFirst) {
  TypingTarget lower(display(), QStringLiteral("Alttaki Pencere"));
  TypingTarget upper(display(), QStringLiteral("Üstteki Pencere"), true);
  ASSERT_TRUE(ActivateWindowById(display(), upper.window()));
  auto titles = [&](const std::vector<::Window>& excluded) {
    std::vector<std::string> found;
    for (const TopLevelWindow& w : ApplicationWindows(display(), excluded)) {
      if (w.title != "Simge Durumunda") found.push_back(w.title);
    }
    return found;
  };
  // The minimised window's place in the stack is the window manager's choice.
  QElapsedTimer timer;
  timer.start();
  auto hasMinimised = [&] {
    for (const TopLevelWindow& w : ApplicationWindows(display(), {})) {
      if (w.title == "Simge Durumunda") return true;
    }
    return false;
  };
  while (!hasMinimised() && timer.elapsed() < 5000) QThread::msleep(10);
  EXPECT_TRUE(hasMinimised());
  // Neither the owned dialog nor the utility window is listed.
  EXPECT_EQ(titles({}), (std::vector<std::string>{"Üstteki Pencere", "Alttaki Pencere"}));
  EXPECT_EQ(titles({upper.window()}), (std::vector<std::string>{"Alttaki Pencere"}));
}

}  // namespace
}  // namespace quilor

// --layout NAME: the keyboard layout the run expects, checked against the
// server so that a run meant for "tr" cannot pass on "us".
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  QCoreApplication app(argc, argv);
  if (argc == 3 && QByteArray(argv[1]) == "--layout") {
    QProcess query;
    query.start("setxkbmap", {"-query"});
    query.waitForFinished();
    const QString out = QString::fromUtf8(query.readAllStandardOutput());
    if (!out.contains(QRegularExpression("layout:\\s+" + QString::fromUtf8(argv[2]) + "\\n"))) {
      std::fprintf(stderr, "expected layout %s, server has:\n%s", argv[2], qPrintable(out));
      return 1;
    }
  }
  return RUN_ALL_TESTS();
}
