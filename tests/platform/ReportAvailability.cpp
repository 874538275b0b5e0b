// Tells which desktop services the program gets where it runs, for the tests
// on platforms without an X server or without the idle-time extension.
#include <QGuiApplication>
#include <cstdio>

#include "GlobalHotKey.h"
#include "IdleProbe.h"

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const bool hotKey = quilor::MakeGlobalHotKey()->registerHotKey([] {});
  const bool idleTime = quilor::MakeIdleProbe()->available();
  std::printf("hot key: %s, idle time: %s\n", hotKey ? "yes" : "no", idleTime ? "yes" : "no");
  return 0;
}
