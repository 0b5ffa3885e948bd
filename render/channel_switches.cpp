// Owner of the program's channel switches.
#include "render/channel_switches.h"

namespace {

ChannelSwitches switches;

}  // namespace

ChannelSwitches channelSwitches() { return switches; }

void switchAllChannelsOn() { switches = {true, true, true}; }

void toggleChannels(bool red, bool green, bool blue) {
    switches.red = switches.red != red;
    switches.green = switches.green != green;
    switches.blue = switches.blue != blue;
}
