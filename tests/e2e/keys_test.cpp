// The channel keys on the real viewer: real key events into its window, and
// the pixels they leave. The viewer is the seeded build, so each picture is
// known exactly.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <fstream>
#include <optional>
#include <random>

#include "tests/e2e/expected_picture.h"
#include "tests/e2e/x_session.h"

namespace {

HeightField field;

long residentKiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string word;
    while (status >> word) {
        if (word == "VmRSS:") {
            long kib = 0;
            status >> kib;
            return kib;
        }
    }
    return -1;
}


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

    // Once the window settles, the set of channels whose exact picture it
    // shows; nothing if it shows none of the eight.
    std::optional<ChannelSwitches> settledChannels() {
        std::this_thread::sleep_for(1s);  // the poll after a release may still flip
        ChannelSwitches sets[8];
        Picture pictures[8];
        for (int bits = 0; bits < 8; ++bits) {
            sets[bits] = {(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0};
            pictures[bits] = expectedPicture(field, sets[bits]);
        }
        std::optional<ChannelSwitches> found;
        captureUntil(server.display(), window, [&](const Picture& shown) {
            for (int bits = 0; bits < 8 && !found; ++bits) {
                if (shown == pictures[bits]) {
                    found = sets[bits];
                }
            }
            return found.has_value();
        });
        return found;
    }

    // The settled picture stays put: no key is left held.
    void expectSettledAndStill() {
        const std::optional<ChannelSwitches> on = settledChannels();
        ASSERT_TRUE(on.has_value()) << "the window shows no exact picture of its field";
        EXPECT_TRUE(keepsShowing(*on));
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
    expectSettledAndStill();
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
    expectSettledAndStill();
}

// A minute of abuse: a storm of keys with modifiers, then a cycle of resizes.
// The viewer comes through running, with flat memory, showing exactly its
// field with some set of channels, and still answering the keys.
TEST_F(Keys, AMinuteOfKeysAndResizesLeavesTheViewerWholeAndItsMemoryFlat) {
    const char* letters[] = {"r", "g", "b", "x", "Escape", "space", "1", "F5", "Return"};
    const char* modifiers[] = {"Shift_L", "Control_L", "Alt_L"};
    std::mt19937 random(20261206);
    // The GL driver allocates and frees megabytes in every frame, so single
    // readings swing: each end of the second half is read as the least of
    // its readings over a few seconds. The driver's own pools settle over
    // the first half.
    const auto storm = 60s;
    const auto span = 4s;
    const auto start = std::chrono::steady_clock::now();
    auto nextReading = start;
    long halfway = LONG_MAX;
    long end = LONG_MAX;
    for (auto now = start; now - start < storm; now = std::chrono::steady_clock::now()) {
        if (now >= nextReading) {
            const long resident = residentKiB(viewer.pid());
            if (now - start >= storm / 2 && now - start < storm / 2 + span) {
                halfway = std::min(halfway, resident);
            } else if (now - start >= storm - span) {
                end = std::min(end, resident);
            }
            nextReading = now + 100ms;
        }
        const char* letter = letters[random() % std::size(letters)];
        const char* modifier = modifiers[random() % std::size(modifiers)];
        switch (random() % 4) {
        case 0: tap(letter); break;
        case 1:  // the modifier let go while the key is still down
            key(modifier, true);
            key(letter, true);
            key(modifier, false);
            key(letter, false);
            break;
        case 2:
            key(modifier, true);
            tap(letter);
            key(modifier, false);
            break;
        default: std::this_thread::sleep_for(30ms); break;
        }
        std::this_thread::sleep_for(5ms);
    }
    ASSERT_TRUE(viewer.running());
    std::printf("resident memory over the storm's second half: %ld KiB to %ld KiB\n", halfway, end);
#if !PLASMA_SANITIZED  // sanitizers hold freed memory back on purpose
    EXPECT_LE(end - halfway, 1024) << "resident memory grew from " << halfway << " to " << end << " KiB";
#endif

    const std::pair<int, int> sizes[] = {{800, 600}, {300, 300}, {1200, 1000}, {100, 700}, {532, 532}};
    for (int round = 0; round < 4; ++round) {
        for (auto [width, height] : sizes) {
            resizeWindow(server.display(), window, width, height);
            std::this_thread::sleep_for(150ms);
        }
    }
    ASSERT_TRUE(viewer.running());

    const std::optional<ChannelSwitches> before = settledChannels();
    ASSERT_TRUE(before.has_value()) << "the window shows no exact picture of its field";
    tap("g");
    EXPECT_TRUE(shows({before->red, !before->green, before->blue})) << "G did not switch green";
}

}  // namespace
