// The picture's colour channels and the keys that switch them, in one table
// from which the switches, every platform's keys and the page's on-screen
// keys are all made: another letter, or another channel, is one row here.
#pragma once

#include <iterator>

// In the order of the table's rows, which is also the order of the poll.
enum class Channel { red, green, blue };

struct ChannelKey {
    Channel channel;
    // The upper-case letter, which is also its Windows virtual-key code and
    // its code in a page's key events; the lower-case one counts as well.
    char letter;
    const char* name;    // how the page's on-screen key names it: "R: red channel"
    const char* colour;  // the on-screen key's colour, as CSS gives it
};

inline constexpr ChannelKey kChannelKeys[] = {
    {Channel::red, 'R', "red", "#f33"},
    {Channel::green, 'G', "green", "#3d3"},
    {Channel::blue, 'B', "blue", "#48f"},
};
inline constexpr int kChannelCount = static_cast<int>(std::size(kChannelKeys));

constexpr int indexOf(Channel channel) { return static_cast<int>(channel); }

constexpr bool rowsInChannelOrder() {
    for (int i = 0; i < kChannelCount; ++i) {
        if (indexOf(kChannelKeys[i].channel) != i) {
            return false;
        }
    }
    return true;
}
static_assert(rowsInChannelOrder(), "each channel's row is at its own index");
