// The channel keys. Nothing reads the keyboard yet; the channels stay as
// start-up left them.
#include "input/channel_keys.h"

void pollChannelKeys() {}
