// The key rule: which key events between two polls flip which channels.
#include <GL/glut.h>
#include <gtest/gtest.h>

#include <string>

#include "input/channel_keys.h"
#include "render/channel_switches.h"

namespace {

class ChannelKeys : public ::testing::Test {
protected:
    void SetUp() override {
        // No key held or pending, every channel on.
        for (char key : {'r', 'g', 'b'}) {
            up(key);
        }
        pollChannelKeys();
        switchAllChannelsOn();
    }
    static void down(char key) { channelKeyDown(static_cast<unsigned char>(key), 0, 0); }
    static void up(char key) { channelKeyUp(static_cast<unsigned char>(key), 0, 0); }
    // The switches after one poll, as "rgb" with '-' for a channel off.
    static std::string poll() {
        pollChannelKeys();
        const ChannelSwitches on = channelSwitches();
        return std::string{on.red ? 'r' : '-', on.green ? 'g' : '-', on.blue ? 'b' : '-'};
    }
};

TEST_F(ChannelKeys, KeysChangeNothingBeforeThePoll) {
    down('r');
    up('r');
    const ChannelSwitches on = channelSwitches();
    EXPECT_TRUE(on.red && on.green && on.blue);
    EXPECT_EQ(poll(), "-gb");
}

TEST_F(ChannelKeys, ATapBetweenTwoPollsTogglesOnce) {
    down('g');
    up('g');
    EXPECT_EQ(poll(), "r-b");
    EXPECT_EQ(poll(), "r-b");
    down('g');
    up('g');
    EXPECT_EQ(poll(), "rgb");
}

TEST_F(ChannelKeys, SeveralTapsBetweenTwoPollsStillToggleOnce) {
    for (int i = 0; i < 5; ++i) {
        down('b');
        up('b');
    }
    EXPECT_EQ(poll(), "rg-");
}

TEST_F(ChannelKeys, AHeldKeyTogglesAtEveryPollUntilReleased) {
    down('r');
    EXPECT_EQ(poll(), "-gb");
    EXPECT_EQ(poll(), "rgb");
    EXPECT_EQ(poll(), "-gb");
    up('r');
    EXPECT_EQ(poll(), "-gb");
}

// Auto-repeat arrives as release and press pairs, possibly split across a
// frame: a held key still flips exactly once per poll.
TEST_F(ChannelKeys, AutoRepeatFlipsAHeldKeyOncePerPoll) {
    down('g');
    EXPECT_EQ(poll(), "r-b");
    up('g');
    down('g');
    EXPECT_EQ(poll(), "rgb");
    up('g');
    down('g');
    up('g');
    down('g');
    EXPECT_EQ(poll(), "r-b");
    up('g');
    EXPECT_EQ(poll(), "r-b");
}

TEST_F(ChannelKeys, AllThreeKeysFlipAtTheSamePoll) {
    down('r');
    down('g');
    down('b');
    EXPECT_EQ(poll(), "---");
    up('r');
    up('g');
    up('b');
    EXPECT_EQ(poll(), "---");
    down('B');
    EXPECT_EQ(poll(), "--b");
}

TEST_F(ChannelKeys, TheLetterCountsInEitherCaseAndWithCtrl) {
    for (char key : {'r', 'R', '\x12'}) {
        down(key);
        up(key);
        EXPECT_EQ(poll(), "-gb") << static_cast<int>(key);
        down(key);
        up(key);
        EXPECT_EQ(poll(), "rgb") << static_cast<int>(key);
    }
    for (auto [key, expected] : {std::pair{'G', "r-b"}, {'\x07', "rgb"}, {'B', "rg-"}, {'\x02', "rgb"}}) {
        down(key);
        up(key);
        EXPECT_EQ(poll(), expected) << static_cast<int>(key);
    }
}

// A modifier pressed or let go while the letter is down changes what GLUT
// reports for it: down as Ctrl+R (0x12), up as plain 'r'.
TEST_F(ChannelKeys, AModifierChangingWhileTheKeyIsDownLeavesNothingStuck) {
    for (auto [pressed, released] : {std::pair{'\x12', 'r'}, {'r', 'R'}, {'R', '\x12'}, {'b', 'B'}}) {
        SetUp();
        down(pressed);
        up(released);
        const std::string first = poll();
        EXPECT_EQ(poll(), first) << "stuck after " << static_cast<int>(pressed);
    }
}

TEST_F(ChannelKeys, EveryOtherKeyDoesNothing) {
    for (int code = 0; code < 256; ++code) {
        const auto key = static_cast<char>(code);
        if (std::string("rRgGbB\x12\x07\x02").find(key) != std::string::npos) {
            continue;
        }
        down(key);
        EXPECT_EQ(poll(), "rgb") << code;
        up(key);
    }
}

// Once the pointer leaves, the release may go to another window: the key is
// no longer taken to be held, but a press made before still counts once.
TEST_F(ChannelKeys, APointerLeavingReleasesHeldKeys) {
    down('r');
    channelKeysPointerEntry(GLUT_LEFT);
    EXPECT_EQ(poll(), "-gb");
    EXPECT_EQ(poll(), "-gb");
    down('g');
    EXPECT_EQ(poll(), "--b");
    channelKeysPointerEntry(GLUT_ENTERED);
    EXPECT_EQ(poll(), "-gb");
}

}  // namespace
