// The channel keys from the system's own key state, asked for at each poll:
// non-zero while the key is down or if it was pressed since the last query.
// No GLUT keyboard callback is needed, and every other key does nothing.
#include "input/channel_keys.h"

#include <windows.h>

#include "render/channel_switches.h"

void listenForChannelKeys() {}

void pollChannelKeys() {
    // Virtual-key codes of the letters are their upper-case characters.
    const bool red = GetAsyncKeyState('R') != 0;
    const bool green = GetAsyncKeyState('G') != 0;
    const bool blue = GetAsyncKeyState('B') != 0;
    toggleChannels(red, green, blue);
}
