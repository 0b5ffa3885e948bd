// The channel keys in a page, as README.md's "In a web browser" has them:
// the keyboard's letters by key code, heard on the viewer while it has the
// focus (WCAG's character key shortcuts) and let go of anywhere, and the
// keys on screen, each press of which counts once. Everything is recorded
// for the poll, which then shows on each key on screen whether its channel
// is on. The browser's own action for a letter is prevented for the plain
// and Shift forms only, so that its shortcuts (Ctrl+R reloads) keep working.
#include "input/key_poll.h"

#include <emscripten/html5.h>

#include <cstdio>

#include "input/key_mapping.h"
#include "input/recorded_keys.h"
#include "render/channel_switches.h"

// The page's keys on screen (platform/web/screen_keys.js): made from the
// channels' table at start-up, then shown pressed while their channel is on.
extern "C" void addScreenKey(const char* element, int letter, const char* name, const char* colour);
extern "C" void showChannelOnScreenKey(const char* element, bool on);

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

struct ScreenKey {
    char element[32];  // its selector: "#red-key"
    Channel channel;
};

ScreenKey screenKeys[kChannelCount];

// A press that is over by the next poll: it counts once there.
void pressOnce(Channel channel) {
    channelKeyPressed(channel);
    channelKeyReleased(channel);
}

// A touch's events all go to the key it went down on, wherever the finger
// has moved since, so where it was lifted decides the press (the rule is
// the README's, above). Every touch event's own action is prevented: no
// mouse events, click, zoom, menu, selection or scrolling.
EM_BOOL onTouch(int eventType, const EmscriptenTouchEvent* event, void* userData) {
    if (eventType != EMSCRIPTEN_EVENT_TOUCHEND) {
        return EM_TRUE;
    }
    const ScreenKey& key = *static_cast<const ScreenKey*>(userData);
    double width = 0.0;
    double height = 0.0;
    emscripten_get_element_css_size(key.element, &width, &height);
    for (int i = 0; i < event->numTouches; ++i) {
        const EmscriptenTouchPoint& touch = event->touches[i];
        // A lifted finger is among the event's changed touches (no longer
        // among those on the key), where it was lifted.
        if (touch.isChanged != 0 && touch.targetX >= 0 && touch.targetY >= 0 && touch.targetX < width &&
            touch.targetY < height) {
            pressOnce(key.channel);
        }
    }
    return EM_TRUE;
}

// A click, from a mouse, Enter or Space, or assistive technology (a touch
// handled above makes none).
EM_BOOL onClick(int /*eventType*/, const EmscriptenMouseEvent* /*event*/, void* userData) {
    pressOnce(static_cast<const ScreenKey*>(userData)->channel);
    return EM_TRUE;
}

}  // namespace

void listenForChannelKeys() {
    emscripten_set_keydown_callback("#stage", nullptr, EM_TRUE, onKey);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, onKey);
    emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, onBlur);
    for (const ChannelKey& row : kChannelKeys) {
        ScreenKey& key = screenKeys[indexOf(row.channel)];
        std::snprintf(key.element, sizeof key.element, "#%s-key", row.name);
        key.channel = row.channel;
        addScreenKey(key.element, row.letter, row.name, row.colour);
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
    for (const ScreenKey& key : screenKeys) {
        if (on[key.channel] != before[key.channel]) {
            showChannelOnScreenKey(key.element, on[key.channel]);
        }
    }
}
