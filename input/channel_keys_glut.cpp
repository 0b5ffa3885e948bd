// The channel keys from GLUT's key events. A key counts in either case and
// with any modifier: GLUT reports R as 'r', 'R' (Shift, Caps Lock) or 0x12
// (Ctrl), and the press and release of one key may come with different
// modifiers, so both go through the same mapping.
#include "input/channel_keys.h"

#include <GL/glut.h>

#include <optional>

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

// Once the pointer leaves, key releases may go to another window.
void channelKeysPointerEntry(int state) {
    if (state == GLUT_LEFT) {
        letGoOfChannelKeys();
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
