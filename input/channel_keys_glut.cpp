// The channel keys from GLUT's key events. A key counts in either case and
// with any modifier: GLUT reports R as 'r', 'R' (Shift, Caps Lock) or 0x12
// (Ctrl), and the press and release of one key may come with different
// modifiers, so both go through the same mapping.
#include "input/channel_keys.h"

#include <GL/glut.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <algorithm>
#include <iterator>
#include <optional>
#include <utility>

#include "input/recorded_keys.h"

namespace {

constexpr unsigned char control(unsigned char letter) { return letter & 0x1FU; }

std::optional<Channel> channelFor(unsigned char key) {
    switch (key) {
    case 'r': case 'R': case control('R'): return Channel::red;
    case 'g': case 'G': case control('G'): return Channel::green;
    case 'b': case 'B': case control('B'): return Channel::blue;
    default: return std::nullopt;
    }
}

void channelKeyDown(unsigned char key, int /*x*/, int /*y*/) {
    if (const auto channel = channelFor(key)) {
        channelKeyPressed(*channel);
    }
}

void channelKeyUp(unsigned char key, int /*x*/, int /*y*/) {
    if (const auto channel = channelFor(key)) {
        channelKeyReleased(*channel);
    }
}

// A key's release goes to the window that has the keyboard when the key
// comes up: after the pointer or the focus has moved on, another window. The
// X server's own state of the keys tells: a key it has up is let go of here.
// Asked only while a key is held, so an idle frame costs no round trip.
void letGoOfKeysTheServerHasUp() {
    const std::pair<Channel, KeySym> letters[] = {
        {Channel::red, XK_r}, {Channel::green, XK_g}, {Channel::blue, XK_b}};
    Display* display = glXGetCurrentDisplay();
    if (display == nullptr || std::none_of(std::begin(letters), std::end(letters),
                                           [](const auto& letter) { return channelKeyHeld(letter.first); })) {
        return;
    }
    char down[32] = {};
    XQueryKeymap(display, down);
    for (const auto& [channel, letter] : letters) {
        const KeyCode code = XKeysymToKeycode(display, letter);
        if (code != 0 && (static_cast<unsigned>(down[code / 8U]) & (1U << (code % 8U))) == 0) {
            channelKeyReleased(channel);
        }
    }
}

}  // namespace

void listenForChannelKeys() {
    glutKeyboardFunc(channelKeyDown);
    glutKeyboardUpFunc(channelKeyUp);
    // Held keys count at every poll through their state; repeats add nothing.
    glutIgnoreKeyRepeat(1);
}

void pollChannelKeys() {
    letGoOfKeysTheServerHasUp();
    pollRecordedChannelKeys();
}
