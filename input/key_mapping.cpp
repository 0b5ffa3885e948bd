// The keys' mappings, apart from the event plumbing so that every form of
// every letter can be checked without a window.
#include "input/key_mapping.h"

namespace {

constexpr unsigned char control(char letter) { return static_cast<unsigned char>(letter) & 0x1FU; }

}  // namespace

std::optional<Channel> channelOfGlutKey(unsigned char key) {
    for (const ChannelKey& row : kChannelKeys) {
        if (key == static_cast<unsigned char>(row.letter) || key == lowerCase(row.letter) ||
            key == control(row.letter)) {
            return row.channel;
        }
    }
    return std::nullopt;
}

std::optional<Channel> channelOfKeyCode(unsigned long keyCode) {
    for (const ChannelKey& row : kChannelKeys) {
        if (keyCode == static_cast<unsigned char>(row.letter)) {
            return row.channel;
        }
    }
    return std::nullopt;
}
