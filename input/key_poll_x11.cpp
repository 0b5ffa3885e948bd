// The channel keys on an X11 display (Xwayland too), by the key rather than
// by the character it types, so that they work under every layout
// (input/layout_keys.h). GLUT reports only characters, and none at all for a
// Cyrillic or Greek letter, so the keys come from a connection of the
// viewer's own, which the X server sends the window's key events too.
#include "input/key_poll.h"

#include <GL/glx.h>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <iterator>

#include "input/key_mapping.h"
#include "input/layout_keys.h"
#include "input/recorded_keys.h"

namespace {

constexpr int kKeyCodes = 256;

struct {
    Display* display = nullptr;  // the keys' own connection, or none where it could not be had
    int xkbEvents = 0;           // where XKB's events start among the server's
    LayoutKey keys[kKeyCodes] = {};
    int latinLayout = -1;
    KeyCode heldBy[kChannelCount] = {};  // the key that pressed each held channel
} keyboard;

// The keymap as it is now: again whenever it changes (another layout chosen,
// another keyboard plugged in).
void readKeymap() {
    XkbDescPtr keymap = XkbGetMap(keyboard.display, XkbKeySymsMask, XkbUseCoreKbd);
    if (keymap == nullptr) {
        return;
    }
    std::fill(std::begin(keyboard.keys), std::end(keyboard.keys), LayoutKey{});
    XkbGetNames(keyboard.display, XkbKeyNamesMask, keymap);
    for (int code = keymap->min_key_code; code <= keymap->max_key_code && code < kKeyCodes; ++code) {
        LayoutKey& key = keyboard.keys[code];
        const auto keyCode = static_cast<KeyCode>(code);
        key.layouts = std::min(static_cast<int>(XkbKeyNumGroups(keymap, keyCode)), kMostLayouts);
        for (int layout = 0; layout < key.layouts; ++layout) {
            key.symbols[layout] = XkbKeySymEntry(keymap, keyCode, 0, layout);
        }
        if (keymap->names != nullptr && keymap->names->keys != nullptr) {
            std::copy(std::begin(keymap->names->keys[code].name), std::end(keymap->names->keys[code].name),
                      std::begin(key.place));
        }
    }
    XkbFreeKeyboard(keymap, 0, True);
    keyboard.latinLayout = firstLatinLayout(keyboard.keys, kKeyCodes);
}

void letGoOf(Channel channel) {
    channelKeyReleased(channel);
    keyboard.heldBy[indexOf(channel)] = 0;
}

void keyEvent(const XKeyEvent& event) {
    if (event.type == KeyRelease) {
        // The key that pressed it, whatever the layout is now.
        for (const ChannelKey& row : kChannelKeys) {
            if (keyboard.heldBy[indexOf(row.channel)] == event.keycode) {
                letGoOf(row.channel);
            }
        }
        return;
    }
    const LayoutKey& key = keyboard.keys[event.keycode % kKeyCodes];
    const auto layout = static_cast<int>(XkbGroupForCoreState(event.state));
    if (const auto channel = channelOfLetter(letterOfKey(key, layout, keyboard.latinLayout))) {
        channelKeyPressed(*channel);
        keyboard.heldBy[indexOf(*channel)] = static_cast<KeyCode>(event.keycode);
    }
}

// A key's release goes to the window that has the keyboard when the key
// comes up: after the focus has moved on, another window. The X server's
// own state of the keys tells: a key it has up is let go of here. Asked only
// while a key is held, so an idle frame costs no round trip.
void letGoOfKeysTheServerHasUp() {
    if (std::all_of(std::begin(keyboard.heldBy), std::end(keyboard.heldBy), [](KeyCode code) { return code == 0; })) {
        return;
    }
    char down[32] = {};
    XQueryKeymap(keyboard.display, down);
    for (const ChannelKey& row : kChannelKeys) {
        const KeyCode heldBy = keyboard.heldBy[indexOf(row.channel)];
        if (heldBy != 0 && (static_cast<unsigned>(down[heldBy / 8U]) & (1U << (heldBy % 8U))) == 0) {
            letGoOf(row.channel);
        }
    }
}

}  // namespace

void listenForChannelKeys() {
    Display* const glut = glXGetCurrentDisplay();
    const Window window = glXGetCurrentDrawable();
    int opcode = 0;
    int errors = 0;
    int major = XkbMajorVersion;
    int minor = XkbMinorVersion;
    if (glut == nullptr || window == None || (keyboard.display = XOpenDisplay(DisplayString(glut))) == nullptr) {
        return;
    }
    if (XkbQueryExtension(keyboard.display, &opcode, &keyboard.xkbEvents, &errors, &major, &minor) != 0) {
        XkbSelectEvents(keyboard.display, XkbUseCoreKbd, XkbNewKeyboardNotifyMask | XkbMapNotifyMask,
                        XkbNewKeyboardNotifyMask | XkbMapNotifyMask);
        // A held key's repeats arrive as presses alone, not as releases and presses.
        XkbSetDetectableAutoRepeat(keyboard.display, True, nullptr);
        readKeymap();
    }
    XSelectInput(keyboard.display, window, KeyPressMask | KeyReleaseMask);
    // Taken by the server now, not at the first poll: a key pressed as the
    // first picture shows counts.
    XSync(keyboard.display, False);
}

void pollChannelKeys() {
    if (keyboard.display != nullptr) {
        while (XPending(keyboard.display) > 0) {
            XEvent event;
            XNextEvent(keyboard.display, &event);
            if (event.type == KeyPress || event.type == KeyRelease) {
                keyEvent(event.xkey);
            } else if (event.type == keyboard.xkbEvents) {
                readKeymap();
            }
        }
        letGoOfKeysTheServerHasUp();
    }
    pollRecordedChannelKeys();
}
