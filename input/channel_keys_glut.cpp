// The channel keys from GLUT's key events, recorded as they arrive for the
// next poll. A key counts in either case and with any modifier: GLUT reports
// R as 'r', 'R' (Shift, Caps Lock) or 0x12 (Ctrl), and the press and release
// of one key may come with different modifiers, so both go through the same
// mapping.
#include "input/channel_keys.h"

#include <GL/glut.h>

#include "render/channel_switches.h"

namespace {

enum Channel { red, green, blue, channelCount, noChannel = channelCount };

struct KeyState {
    bool down = false;
    bool pressedSincePoll = false;
};

KeyState keys[channelCount];

constexpr unsigned char control(unsigned char letter) { return letter & 0x1FU; }

Channel channelFor(unsigned char key) {
    switch (key) {
    case 'r': case 'R': case control('R'): return red;
    case 'g': case 'G': case control('G'): return green;
    case 'b': case 'B': case control('B'): return blue;
    default: return noChannel;
    }
}

// Taking a key's state for a poll: active if down now or pressed since the
// last poll. A held key is active at every poll, however many repeats (or
// none) arrived in between.
bool takeActive(KeyState& key) {
    const bool active = key.down || key.pressedSincePoll;
    key.pressedSincePoll = false;
    return active;
}

void channelKeyDown(unsigned char key, int /*x*/, int /*y*/) {
    const Channel channel = channelFor(key);
    if (channel != noChannel) {
        keys[channel] = {true, true};
    }
}

void channelKeyUp(unsigned char key, int /*x*/, int /*y*/) {
    const Channel channel = channelFor(key);
    if (channel != noChannel) {
        keys[channel].down = false;
    }
}

// Once the pointer leaves, key releases may go to another window, so no key
// is taken to be held any longer.
void channelKeysPointerEntry(int state) {
    if (state == GLUT_LEFT) {
        for (KeyState& key : keys) {
            key.down = false;
        }
    }
}

}  // namespace

void listenForChannelKeys() {
    glutKeyboardFunc(channelKeyDown);
    glutKeyboardUpFunc(channelKeyUp);
    glutEntryFunc(channelKeysPointerEntry);
    // Held keys count at every poll through their state; repeats add nothing.
    glutIgnoreKeyRepeat(1);
}

void pollChannelKeys() {
    const bool flipRed = takeActive(keys[red]);
    const bool flipGreen = takeActive(keys[green]);
    const bool flipBlue = takeActive(keys[blue]);
    toggleChannels(flipRed, flipGreen, flipBlue);
}
