// A minute of abuse: a storm of keys with modifiers, then a cycle of resizes.
// The viewer must come through running, with flat memory, showing exactly
// its field with some set of channels, and still answering the keys.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <fstream>
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

ChannelSwitches switchesFrom(int bits) { return {(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0}; }

// Which set of channels the window shows exactly, once it settles; -1 if none.
int channelsShown(Display* display, Window window) {
    Picture candidates[8];
    for (int bits = 0; bits < 8; ++bits) {
        candidates[bits] = expectedPicture(field, switchesFrom(bits));
    }
    int found = -1;
    captureUntil(display, window, [&](const Picture& shown) {
        for (int bits = 0; bits < 8; ++bits) {
            if (shown == candidates[bits]) {
                found = bits;
                return true;
            }
        }
        return false;
    });
    return found;
}

TEST(Soak, KeyStormAndResizesLeaveTheViewerWholeAndItsMemoryFlat) {
    XServer server;
    Process viewer(PLASMA_SEEDED_VIEWER, server.name(), {"-geometry", "+0+0"});
    Display* display = server.display();
    const Window window = findWindow(display, kTitle);
    ASSERT_NE(window, 0U);
    movePointer(display, kWindow / 2, kWindow / 2);
    generateField(field, 1);

    const char* keys[] = {"r", "g", "b", "x", "Escape", "space", "1", "F5", "Return"};
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
        const char* key = keys[random() % std::size(keys)];
        const char* modifier = modifiers[random() % std::size(modifiers)];
        switch (random() % 4) {
        case 0: tapKey(display, key); break;
        case 1:  // the modifier let go while the key is still down
            sendKey(display, modifier, true);
            sendKey(display, key, true);
            sendKey(display, modifier, false);
            sendKey(display, key, false);
            break;
        case 2:
            sendKey(display, modifier, true);
            tapKey(display, key);
            sendKey(display, modifier, false);
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
            resizeWindow(display, window, width, height);
            std::this_thread::sleep_for(150ms);
        }
    }
    ASSERT_TRUE(viewer.running());

    const int before = channelsShown(display, window);
    ASSERT_GE(before, 0) << "the window shows no exact picture of its field";
    tapKey(display, "g");
    const Picture expected = expectedPicture(field, switchesFrom(before ^ 2));
    EXPECT_EQ(captureUntil(display, window, [&](const Picture& p) { return p == expected; }), expected)
        << "G did not switch green from " << before;
}

}  // namespace
