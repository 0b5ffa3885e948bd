// Which colour channels the picture shows. Off until start-up turns them all
// on; after that only the key poll flips them.
#pragma once

struct ChannelSwitches {
    bool red = false;
    bool green = false;
    bool blue = false;
    bool operator==(const ChannelSwitches&) const = default;
};

ChannelSwitches channelSwitches();

void switchAllChannelsOn();

// Flips each channel whose flag is set.
void toggleChannels(bool red, bool green, bool blue);
