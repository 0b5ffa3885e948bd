// The channel keys R, G and B: key events recorded as they arrive, acted on
// once per frame by the poll.
#pragma once

// GLUT keyboard callbacks: they only record the key's state.
void channelKeyDown(unsigned char key, int x, int y);
void channelKeyUp(unsigned char key, int x, int y);

// GLUT entry callback: once the pointer leaves, key releases may go to
// another window, so no key is taken to be held any longer.
void channelKeysPointerEntry(int state);

// Flips the channel of each key that is active: down now, or pressed since
// the previous poll (once, even if released again). The last act of every
// frame, and the only place the channels change.
void pollChannelKeys();
