// Ctrl+Alt+D as a passive key grab on the root window.
//
// The grab is made on Qt's own connection and its key presses are picked out
// of Qt's event stream by a native event filter. That filter runs for every
// event Qt reads, also inside the nested loop of a modal dialog, so the hot
// key works while any dialog of ours is open.
//
// X matches a grab by keycode and exact modifier state, so the grab is made
// for every state the user's locks may add (Caps Lock, Num Lock on whatever
// modifier bit the server puts it), for every key that types "d". Both can
// change at run time (setxkbmap, xmodmap): the grabs are made again when the
// server announces a new keyboard mapping.
#include <QtCore/qabstractnativeeventfilter.h>
#include <X11/keysym.h>
#include <xcb/xcb.h>

#include <QCoreApplication>
#include <QObject>
#include <QTimer>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "HotKeyKeymap.h"
#include "HotKeyPresses.h"
#include "X11Bindings.h"

namespace quilor {

namespace {

struct FreeReply {
  void operator()(void* reply) const { std::free(reply); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeReply>;

// Event codes of the XKB extension's notifications (in the event's second byte).
constexpr std::uint8_t kXkbNewKeyboardNotify = 0;
constexpr std::uint8_t kXkbMapNotify = 1;

constexpr std::uint16_t kButtonAndGroupBits = 0xff00;

KeysymTable ReadKeysyms(xcb_connection_t* connection) {
  const xcb_setup_t* setup = xcb_get_setup(connection);
  KeysymTable table;
  table.firstKeycode = setup->min_keycode;
  const auto count = static_cast<std::uint8_t>(setup->max_keycode - setup->min_keycode + 1);
  Reply<xcb_get_keyboard_mapping_reply_t> reply(xcb_get_keyboard_mapping_reply(
      connection, xcb_get_keyboard_mapping(connection, setup->min_keycode, count), nullptr));
  if (!reply) return table;
  table.perKeycode = reply->keysyms_per_keycode;
  const xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(reply.get());
  table.keysyms.assign(keysyms, keysyms + xcb_get_keyboard_mapping_keysyms_length(reply.get()));
  return table;
}

ModifierTable ReadModifiers(xcb_connection_t* connection) {
  ModifierTable table;
  Reply<xcb_get_modifier_mapping_reply_t> reply(
      xcb_get_modifier_mapping_reply(connection, xcb_get_modifier_mapping(connection), nullptr));
  if (!reply) return table;
  table.perModifier = reply->keycodes_per_modifier;
  const xcb_keycode_t* keycodes = xcb_get_modifier_mapping_keycodes(reply.get());
  table.keycodes.assign(keycodes, keycodes + xcb_get_modifier_mapping_keycodes_length(reply.get()));
  return table;
}

std::uint8_t XkbFirstEvent(xcb_connection_t* connection) {
  static constexpr char kName[] = "XKEYBOARD";
  Reply<xcb_query_extension_reply_t> reply(xcb_query_extension_reply(
      connection, xcb_query_extension(connection, std::strlen(kName), kName), nullptr));
  return reply && reply->present ? reply->first_event : 0;
}

class X11GlobalHotKey final : public GlobalHotKey, private QAbstractNativeEventFilter {
 public:
  explicit X11GlobalHotKey(xcb_connection_t* connection)
      : connection_(connection),
        root_(xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root),
        xkbFirstEvent_(XkbFirstEvent(connection)) {}

  ~X11GlobalHotKey() override {
    // After the application object, Qt's connection is gone with it.
    if (QCoreApplication::instance() != nullptr) releaseGrabs();
  }

  bool registerHotKey(std::function<void()> onPressed) override {
    releaseGrabs();
    if (!grabAll()) {
      releaseGrabs();
      return false;
    }
    onPressed_ = std::move(onPressed);
    QCoreApplication::instance()->installNativeEventFilter(this);
    return true;
  }

 private:
  struct Grab {
    xcb_keycode_t keycode;
    std::uint16_t state;
  };

  // True when every state of every key was granted. A grab another client
  // holds already fails with BadAccess; the others stay in grabs_.
  bool grabAll() {
    const KeysymTable keys = ReadKeysyms(connection_);
    const ModifierTable modifiers = ReadModifiers(connection_);
    std::uint16_t alt = ModifierBitOf({XK_Alt_L, XK_Alt_R}, keys, modifiers);
    if (alt == 0) alt = XCB_MOD_MASK_1;
    const std::uint16_t numLock = ModifierBitOf({XK_Num_Lock}, keys, modifiers);
    required_ = static_cast<std::uint16_t>(XCB_MOD_MASK_CONTROL | alt);
    locks_ = static_cast<std::uint16_t>(XCB_MOD_MASK_LOCK | numLock);

    const std::vector<std::uint8_t> keycodes = KeycodesOf(XK_d, keys);
    bool all = !keycodes.empty();
    for (const std::uint8_t keycode : keycodes) {
      for (const std::uint16_t state : StatesWithLocks(required_, XCB_MOD_MASK_LOCK, numLock)) {
        const xcb_void_cookie_t cookie = xcb_grab_key_checked(
            connection_, 0, root_, state, keycode, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        Reply<xcb_generic_error_t> error(xcb_request_check(connection_, cookie));
        if (error) {
          all = false;
        } else {
          grabs_.push_back({keycode, state});
        }
      }
    }
    return all;
  }

  void releaseGrabs() {
    for (const Grab& grab : grabs_) xcb_ungrab_key(connection_, grab.keycode, root_, grab.state);
    xcb_flush(connection_);
    grabs_.clear();
    presses_.reset();
  }

  // A new keyboard mapping may move "d" or Num Lock. The server sends
  // several notifications for one change; one new set of grabs follows them.
  void regrabSoon() {
    if (regrabPending_) return;
    regrabPending_ = true;
    QTimer::singleShot(0, &context_, [this] {
      regrabPending_ = false;
      releaseGrabs();
      grabAll();
    });
  }

  bool isMappingChange(const xcb_generic_event_t* event) const {
    const std::uint8_t type = event->response_type & 0x7f;
    if (type == XCB_MAPPING_NOTIFY) {
      const auto* mapping = reinterpret_cast<const xcb_mapping_notify_event_t*>(event);
      return mapping->request != XCB_MAPPING_POINTER;
    }
    if (xkbFirstEvent_ == 0 || type != xkbFirstEvent_) return false;
    const std::uint8_t xkbType = event->pad0;
    return xkbType == kXkbNewKeyboardNotify || xkbType == kXkbMapNotify;
  }

  bool isGrabbed(xcb_keycode_t keycode) const {
    for (const Grab& grab : grabs_) {
      if (grab.keycode == keycode) return true;
    }
    return false;
  }

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
    if (eventType != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const std::uint8_t type = event->response_type & 0x7f;
    if (isMappingChange(event)) {
      regrabSoon();
      return false;  // Qt follows the new mapping too
    }
    if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE) return false;
    const auto* key = reinterpret_cast<const xcb_key_press_event_t*>(event);
    if (key->event != root_ || !isGrabbed(key->detail)) return false;
    // The user may let go of Ctrl or Alt first: any release of the key ends the press.
    if (type == XCB_KEY_RELEASE) {
      presses_.released(key->detail, key->time);
      return true;
    }
    if ((key->state & ~(locks_ | kButtonAndGroupBits)) != required_) return false;
    // Holding the keys down repeats the press; one press opens one dialog.
    if (!presses_.pressed(key->detail, key->time)) return true;
    // Like a posted message: the user action runs from the event loop, not
    // inside Qt's event reading.
    QTimer::singleShot(0, &context_, [this] {
      if (onPressed_) onPressed_();
    });
    return true;
  }

  xcb_connection_t* connection_;
  xcb_window_t root_;
  std::uint8_t xkbFirstEvent_;
  std::uint16_t required_ = 0;
  std::uint16_t locks_ = 0;
  std::vector<Grab> grabs_;
  HotKeyPresses presses_;
  bool regrabPending_ = false;
  std::function<void()> onPressed_;
  QObject context_;  // pending calls die with the hot key
};

}  // namespace

std::unique_ptr<GlobalHotKey> MakeX11GlobalHotKey(xcb_connection_t* connection) {
  return std::make_unique<X11GlobalHotKey>(connection);
}

}  // namespace quilor
