// The keys' mappings, apart from the event plumbing so that every form of
// every letter can be checked without a window.
#include "input/key_mapping.h"

std::optional<Channel> channelOfLetter(char letter) {
    for (const ChannelKey& row : kChannelKeys) {
        if (letter == row.letter) {
            return row.channel;
        }
    }
    return std::nullopt;
}

std::optional<Channel> channelOfKeyCode(unsigned long keyCode) {
    return keyCode <= 'Z' ? channelOfLetter(static_cast<char>(keyCode)) : std::nullopt;
}
