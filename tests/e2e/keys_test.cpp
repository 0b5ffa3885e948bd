// The channel keys on the real viewer: real key events into its window, and
// the pixels they leave. The viewer is the seeded build, so each picture is
// known exactly.
#include <gtest/gtest.h>

#include "tests/e2e/expected_picture.h"
#include "tests/e2e/x_session.h"

namespace {

HeightField field;

class Keys : public ::testing::Test {
protected:
    void SetUp() override {
        generateField(field, 1);
        window = findWindow(server.display(), kTitle);
        ASSERT_NE(window, 0U);
        movePointer(server.display(), kWindow / 2, kWindow / 2);
        ASSERT_TRUE(shows(kAllOn));
    }

    // Waits for the window to show exactly the field with these channels.
    bool shows(ChannelSwitches on, Milliseconds timeout = 3s) {
        const Picture expected = expectedPicture(field, on);
        return captureUntil(server.display(), window, [&](const Picture& p) { return p == expected; },
                            timeout) == expected;
    }

    // True if the window shows exactly this picture over several frames.
    bool keepsShowing(ChannelSwitches on) {
        const Picture expected = expectedPicture(field, on);
        const auto end = std::chrono::steady_clock::now() + 1s;
        while (std::chrono::steady_clock::now() < end) {
            if (capture(server.display(), window) != expected) {
                return false;
            }
            std::this_thread::sleep_for(50ms);
        }
        return viewer.running();
    }

    void tap(const char* keysym) { tapKey(server.display(), keysym); }
    void key(const char* keysym, bool down) { sendKey(server.display(), keysym, down); }

    XServer server;
    Process viewer{PLASMA_SEEDED_VIEWER, server.name(), {"-geometry", "+0+0"}};
    Window window = 0;
};

constexpr ChannelSwitches kNoRed{false, true, true};

TEST_F(Keys, RSwitchesRedOffAndBackToTheSamePicture) {
    tap("r");
    EXPECT_TRUE(shows(kNoRed));
    tap("r");
    EXPECT_TRUE(shows(kAllOn));
    EXPECT_TRUE(keepsShowing(kAllOn));
}

TEST_F(Keys, ShiftCtrlAndCapsLockStillToggle) {
    for (const char* modifier : {"Shift_L", "Control_L", "Alt_L"}) {
        key(modifier, true);
        tap("r");
        key(modifier, false);
        EXPECT_TRUE(shows(kNoRed)) << modifier;
        tap("r");
        EXPECT_TRUE(shows(kAllOn)) << modifier;
    }
    tap("Caps_Lock");
    tap("r");
    EXPECT_TRUE(shows(kNoRed));
    tap("Caps_Lock");
}

TEST_F(Keys, AllThreeOffGiveABlackWindowThatKeepsRunning) {
    tap("r");
    tap("g");
    tap("b");
    EXPECT_TRUE(shows({false, false, false}));
    EXPECT_TRUE(keepsShowing({false, false, false}));
    tap("g");
    EXPECT_TRUE(shows({false, true, false}));
}

TEST_F(Keys, EscapeAndOtherKeysChangeNothing) {
    for (const char* other : {"Escape", "x", "space", "Return", "F1", "Left", "1", "Tab"}) {
        tap(other);
    }
    EXPECT_TRUE(keepsShowing(kAllOn));
}

// Held, the key flips its channel at every frame: the picture alternates
// between the two, and nothing else is ever shown.
TEST_F(Keys, AHeldKeyBlinksItsChannel) {
    const Picture on = expectedPicture(field, kAllOn);
    const Picture off = expectedPicture(field, kNoRed);
    key("r", true);
    int flips = 0;
    bool wasOn = true;
    const auto end = std::chrono::steady_clock::now() + 5s;
    while (flips < 4 && std::chrono::steady_clock::now() < end) {
        const Picture shown = capture(server.display(), window);
        if (shown != on && shown != off) {
            continue;  // caught in the middle of a swap
        }
        flips += (shown == on) != wasOn ? 1 : 0;
        wasOn = shown == on;
        std::this_thread::sleep_for(30ms);
    }
    key("r", false);
    EXPECT_GE(flips, 4);
    std::this_thread::sleep_for(1s);  // the poll after the release may still flip
    const bool settledOn = capture(server.display(), window) == on;
    EXPECT_TRUE(keepsShowing(settledOn ? kAllOn : kNoRed));
}

// Ctrl let go before R: R goes down as Ctrl+R and up as plain r.
TEST_F(Keys, ReleasingCtrlBeforeTheKeyLeavesNothingStuck) {
    key("Control_L", true);
    key("r", true);
    key("Control_L", false);
    key("r", false);
    EXPECT_TRUE(shows(kNoRed));
    EXPECT_TRUE(keepsShowing(kNoRed));
}

// With the pointer gone the release goes to another window; the key must not
// stay held and blink on.
TEST_F(Keys, AKeyReleasedAfterThePointerLeftIsNotStuck) {
    key("r", true);
    movePointer(server.display(), 1000, 900);
    key("r", false);
    std::this_thread::sleep_for(1s);  // the poll after the release may still flip
    const bool settledOn = capture(server.display(), window) == expectedPicture(field, kAllOn);
    EXPECT_TRUE(keepsShowing(settledOn ? kAllOn : kNoRed));
}

}  // namespace
