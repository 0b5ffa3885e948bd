// Which colour channels the picture shows. Off until start-up turns them all
// on; after that only the key poll flips them.
#pragma once

#include "render/channels.h"

struct ChannelSwitches {
    bool on[kChannelCount] = {};
    bool operator[](Channel channel) const { return on[indexOf(channel)]; }
    bool operator==(const ChannelSwitches&) const = default;
};

ChannelSwitches channelSwitches();

void switchAllChannelsOn();

void toggleChannel(Channel channel);
