// The keys' mappings, apart from the event plumbing so that every form of
// every letter can be checked without a window.
#include "input/key_channels.h"

namespace {

constexpr unsigned char control(unsigned char letter) { return letter & 0x1FU; }

}  // namespace

std::optional<Channel> channelOfGlutKey(unsigned char key) {
    switch (key) {
    case 'r': case 'R': case control('R'): return Channel::red;
    case 'g': case 'G': case control('G'): return Channel::green;
    case 'b': case 'B': case control('B'): return Channel::blue;
    default: return std::nullopt;
    }
}

std::optional<Channel> channelOfKeyCode(unsigned long keyCode) {
    switch (keyCode) {
    case 'R': return Channel::red;
    case 'G': return Channel::green;
    case 'B': return Channel::blue;
    default: return std::nullopt;
    }
}
