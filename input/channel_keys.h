// The channel keys R, G and B, read once per frame.
#pragma once

// Flips the channel of each key that is active: down now, or pressed since
// the previous poll. The last act of every frame.
void pollChannelKeys();
