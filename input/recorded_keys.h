// The channel keys as recorded from key events, for platforms that report
// presses and releases rather than answering for a key's state: the rule
// that the poll applies to them, shared by every such platform.
#pragma once

#include "render/channels.h"

// A key's press and release; a press also counts once at the next poll even
// if the key is released before it.
void channelKeyPressed(Channel channel);
void channelKeyReleased(Channel channel);

// When releases may go elsewhere (the page has lost the focus), no key is
// taken to be held any longer; a press already made still counts once.
void letGoOfChannelKeys();

// The poll's rule over what was recorded: what the platform's
// pollChannelKeys does once it has brought the record up to date.
void pollRecordedChannelKeys();
