// Owner of the program's channel switches.
#include "render/channel_switches.h"

namespace {

ChannelSwitches switches;

}  // namespace

ChannelSwitches channelSwitches() { return switches; }

void switchAllChannelsOn() {
    for (bool& on : switches.on) {
        on = true;
    }
}

void toggleChannel(Channel channel) {
    bool& on = switches.on[indexOf(channel)];
    on = !on;
}
