// The poll over recorded key events: a key is active when it is down at the
// poll or was pressed since the previous one. A held key is active at every
// poll, however many repeats (or none) arrived in between.
#include "input/recorded_keys.h"

#include "render/channel_switches.h"

namespace {

struct KeyState {
    bool down = false;
    bool pressedSincePoll = false;
};

KeyState keys[kChannelCount];

KeyState& keyOf(Channel channel) { return keys[indexOf(channel)]; }

bool takeActive(Channel channel) {
    KeyState& key = keyOf(channel);
    const bool active = key.down || key.pressedSincePoll;
    key.pressedSincePoll = false;
    return active;
}

}  // namespace

void channelKeyPressed(Channel channel) { keyOf(channel) = {true, true}; }

void channelKeyReleased(Channel channel) { keyOf(channel).down = false; }

void letGoOfChannelKeys() {
    for (KeyState& key : keys) {
        key.down = false;
    }
}

void pollRecordedChannelKeys() {
    for (const ChannelKey& row : kChannelKeys) {
        if (takeActive(row.channel)) {
            toggleChannel(row.channel);
        }
    }
}
