// The channel keys from the system's own key state, asked for at each poll:
// non-zero while the key is down or if it was pressed since the last query.
// No GLUT keyboard callback is needed, and every other key does nothing.
#include "input/key_poll.h"

#include <windows.h>

#include "render/channel_switches.h"

void listenForChannelKeys() {}

// Each channel's key in turn, in the table's order.
void pollChannelKeys() {
    for (const ChannelKey& row : kChannelKeys) {
        // Virtual-key codes of the letters are their upper-case characters.
        if (GetAsyncKeyState(row.letter) != 0) {
            toggleChannel(row.channel);
        }
    }
}
