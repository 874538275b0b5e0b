// Which Qt platform the program asks for, by the session's variables.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QtGlobal>

#include "WaylandSession.h"

namespace quilor {
namespace {

void Set(const char* name, const char* value) {
  if (value == nullptr) {
    qunsetenv(name);
  } else {
    qputenv(name, QByteArray(value));
  }
}

TEST(PreferX11OnWayland, ChoosesXcbOnlyBesideXwaylandAndOnlyWhenTheUserChoseNothing) {
  struct Case {
    const char* wayland;
    const char* display;
    const char* platform;
    const char* chosen;  // QT_QPA_PLATFORM afterwards
  };
  const Case cases[] = {
      {"wayland-0", ":0", nullptr, "xcb"},       {"wayland-0", ":0", "", "xcb"},
      {"wayland-0", ":0", "wayland", "wayland"}, {"wayland-0", nullptr, nullptr, nullptr},
      {nullptr, ":0", nullptr, nullptr},         {"", ":0", nullptr, nullptr},
  };
  for (const Case& c : cases) {
    Set("WAYLAND_DISPLAY", c.wayland);
    Set("DISPLAY", c.display);
    Set("QT_QPA_PLATFORM", c.platform);
    PreferX11OnWayland();
    const bool isSet = qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (c.chosen == nullptr) {
      EXPECT_FALSE(isSet && !platform.isEmpty()) << c.wayland << " " << c.display;
    } else {
      EXPECT_EQ(platform, QByteArray(c.chosen)) << c.wayland << " " << c.display;
    }
    EXPECT_EQ(IsWaylandSession(), c.wayland != nullptr && *c.wayland != '\0');
  }
}

}  // namespace
}  // namespace quilor
