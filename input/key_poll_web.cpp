// The channel keys in a page: the keyboard's letters by key code, and on
// touch screens the page's on-screen keys, one for each channel, pressed
// while a finger that went down on one stays on it. Both are recorded for
// the poll, which then shows on each on-screen key whether its channel is
// on. The browser's own action is prevented for the plain and Shift forms
// only, so that its shortcuts (Ctrl+R reloads) keep working; with any
// modifier the letter still counts.
#include "input/key_poll.h"

#include <emscripten/html5.h>

#include <cstdio>

#include "input/key_mapping.h"
#include "input/recorded_keys.h"
#include "render/channel_switches.h"

// The page's on-screen keys (platform/web/touch_keys.js): made from the
// channels' table at start-up, then shown pressed while their channel is on.
extern "C" void addTouchKey(const char* element, int letter, const char* name, const char* colour);
extern "C" void showChannelOnTouchKey(const char* element, bool on);

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

struct TouchKey {
    char element[32];  // its selector: "#red-key"
    Channel channel;
};

TouchKey touchKeys[kChannelCount];

// A touch's events all go to the element it went down on, which lists it
// as on target until it is lifted or cancelled: the key is held while one
// of its own fingers is within it, so sliding off lets go of it.
EM_BOOL onTouch(int /*eventType*/, const EmscriptenTouchEvent* event, void* userData) {
    const TouchKey& key = *static_cast<const TouchKey*>(userData);
    double width = 0.0;
    double height = 0.0;
    emscripten_get_element_css_size(key.element, &width, &height);
    bool fingerOnKey = false;
    for (int i = 0; i < event->numTouches; ++i) {
        const EmscriptenTouchPoint& touch = event->touches[i];
        fingerOnKey = fingerOnKey || (touch.onTarget != 0 && touch.targetX >= 0 && touch.targetY >= 0 &&
                                      touch.targetX < width && touch.targetY < height);
    }
    if (fingerOnKey && !channelKeyHeld(key.channel)) {
        channelKeyPressed(key.channel);
    } else if (!fingerOnKey && channelKeyHeld(key.channel)) {
        channelKeyReleased(key.channel);
    }
    return EM_TRUE;  // no mouse events, zoom, menu, selection or scrolling from the keys
}

// Assistive technology presses a button with a click, not a touch (a touch
// handled above makes no click): one tap.
EM_BOOL onClick(int /*eventType*/, const EmscriptenMouseEvent* /*event*/, void* userData) {
    const TouchKey& key = *static_cast<const TouchKey*>(userData);
    channelKeyPressed(key.channel);
    channelKeyReleased(key.channel);
    return EM_TRUE;
}

}  // namespace

void listenForChannelKeys() {
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, onKey);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, onKey);
    emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, onBlur);
    for (const ChannelKey& row : kChannelKeys) {
        TouchKey& key = touchKeys[indexOf(row.channel)];
        std::snprintf(key.element, sizeof key.element, "#%s-key", row.name);
        key.channel = row.channel;
        addTouchKey(key.element, row.letter, row.name, row.colour);
        void* const userData = &key;
        emscripten_set_touchstart_callback(key.element, userData, EM_FALSE, onTouch);
        emscripten_set_touchmove_callback(key.element, userData, EM_FALSE, onTouch);
        emscripten_set_touchend_callback(key.element, userData, EM_FALSE, onTouch);
        emscripten_set_touchcancel_callback(key.element, userData, EM_FALSE, onTouch);
        emscripten_set_click_callback(key.element, userData, EM_FALSE, onClick);
    }
}

// The page's keys start out showing every channel on, as the first frame
// has them: they are told only of changes.
void pollChannelKeys() {
    const ChannelSwitches before = channelSwitches();
    pollRecordedChannelKeys();
    const ChannelSwitches on = channelSwitches();
    for (const TouchKey& key : touchKeys) {
        if (on[key.channel] != before[key.channel]) {
            showChannelOnTouchKey(key.element, on[key.channel]);
        }
    }
}
