// The channel keys (render/channels.h), acted on once per frame by the poll.
#pragma once

// Starts following the keys, where the platform needs that done: once, at
// start-up, before the main loop.
void listenForChannelKeys();

// Flips the channel of each key that is active: down now, or pressed since
// the previous poll (once, even if released again). The last act of every
// frame, and the only place the channels change.
void pollChannelKeys();
