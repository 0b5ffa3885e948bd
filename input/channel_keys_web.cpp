// The channel keys from the page's key events, by key code (R, G and B are
// 82, 71 and 66 whatever the case or modifiers). The browser's own action is
// prevented for the plain and Shift forms only, so that its shortcuts (Ctrl+R
// reloads) keep working; with any modifier the letter still counts.
#include "input/channel_keys.h"

#include <emscripten/html5.h>

#include "input/key_channels.h"
#include "input/recorded_keys.h"

namespace {

// The return value tells the browser whether the key was the page's alone.
EM_BOOL onKey(int eventType, const EmscriptenKeyboardEvent* event, void* /*userData*/) {
    const auto channel = channelOfKeyCode(event->keyCode);
    if (!channel) {
        return EM_FALSE;
    }
    if (eventType == EMSCRIPTEN_EVENT_KEYUP) {
        channelKeyReleased(*channel);
    } else if (event->repeat == 0) {  // held keys count at every poll; repeats add nothing
        channelKeyPressed(*channel);
    }
    return event->ctrlKey == 0 && event->altKey == 0 && event->metaKey == 0 ? EM_TRUE : EM_FALSE;
}

// Once the page has lost the focus, key releases go elsewhere.
EM_BOOL onBlur(int /*eventType*/, const EmscriptenFocusEvent* /*event*/, void* /*userData*/) {
    letGoOfChannelKeys();
    return EM_FALSE;
}

}  // namespace

void listenForChannelKeys() {
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, onKey);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, onKey);
    emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, onBlur);
}

void pollChannelKeys() { pollRecordedChannelKeys(); }
