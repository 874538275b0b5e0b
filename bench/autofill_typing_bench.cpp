// Typing speed of auto-fill: 500 characters typed through XTest into a Qt
// form in another program, timed from the first key until the form holds
// every character. A run in which any character is lost or changed fails.
// Needs an X server with a window manager:
//   tests/support/with-display.sh --layout tr -- quilor_autofill_typing_bench
// Target: at least 200 characters per second.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QString>
#include <chrono>

// Xlib's macros (None, Bool, Status...) clash with Qt's names: after Qt.
#include "KeyScript.h"
#include "TypingTarget.h"
#include "X11Windows.h"
#include "XTestKeySink.h"

namespace {

constexpr int kCharacters = 500;

// Letters of the Turkish alphabet in both cases, digits, punctuation and
// "@", which needs AltGr on the Turkish layout: what passwords are made of.
std::u32string Script() {
  const std::u32string pool = U"aBcÇdEfGğHıİjKlMnÖoPrŞsTuÜvYz0123456789.,-@!";
  std::u32string script;
  while (script.size() < kCharacters) script += pool[script.size() % pool.size()];
  return script;
}

void TypeFiveHundredCharacters(benchmark::State& state) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    state.SkipWithError("no X server");
    return;
  }
  {
    quilor::test::TypingTarget target(display, QStringLiteral("Yazma Ölçümü"));
    const std::u32string script = Script();
    const QString expected = QString::fromStdU32String(script);
    // How long the keys took to leave us, next to how long the form took to
    // have them all: which side sets the pace.
    double sendingSeconds = 0;
    for (auto _ : state) {
      target.reset();
      if (!quilor::ActivateWindowById(display, target.window())) {
        state.SkipWithError("the form did not become active");
        break;
      }
      const auto start = std::chrono::steady_clock::now();
      {
        quilor::XTestKeySink keyboard(display, {target.window(), nullptr});
        quilor::TypeKeys(script, keyboard, keyboard);
      }
      const std::chrono::duration<double> sending = std::chrono::steady_clock::now() - start;
      const quilor::test::TargetReport report = target.waitForFirst(expected);
      const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
      sendingSeconds += sending.count();
      if (report.first != expected) {
        state.SkipWithError("characters were lost or changed");
        break;
      }
      state.SetIterationTime(elapsed.count());
    }
    state.counters["chars_per_second"] =
        benchmark::Counter(kCharacters, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["sent_per_second"] =
        kCharacters * static_cast<double>(state.iterations()) / sendingSeconds;
  }
  XCloseDisplay(display);
}

BENCHMARK(TypeFiveHundredCharacters)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
