// The channel keys from GLUT's key events. The press and release of one key
// may come with different modifiers (Ctrl let go first), so both go through
// the same mapping, which takes every form of the letter.
#include "input/key_poll.h"

#include <GL/glut.h>
#include <GL/glx.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <iterator>

#include "input/key_mapping.h"
#include "input/recorded_keys.h"

namespace {

void channelKeyDown(unsigned char key, int /*x*/, int /*y*/) {
    if (const auto channel = channelOfGlutKey(key)) {
        channelKeyPressed(*channel);
    }
}

void channelKeyUp(unsigned char key, int /*x*/, int /*y*/) {
    if (const auto channel = channelOfGlutKey(key)) {
        channelKeyReleased(*channel);
    }
}

// A key's release goes to the window that has the keyboard when the key
// comes up: after the pointer or the focus has moved on, another window. The
// X server's own state of the keys tells: a key it has up is let go of here.
// Asked only while a key is held, so an idle frame costs no round trip.
void letGoOfKeysTheServerHasUp() {
    Display* display = glXGetCurrentDisplay();
    if (display == nullptr || std::none_of(std::begin(kChannelKeys), std::end(kChannelKeys),
                                           [](const ChannelKey& row) { return channelKeyHeld(row.channel); })) {
        return;
    }
    char down[32] = {};
    XQueryKeymap(display, down);
    for (const ChannelKey& row : kChannelKeys) {
        const KeyCode code = XKeysymToKeycode(display, lowerCase(row.letter));
        if (code != 0 && (static_cast<unsigned>(down[code / 8U]) & (1U << (code % 8U))) == 0) {
            channelKeyReleased(row.channel);
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
