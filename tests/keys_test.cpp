// The channel keys without a window: every form of every letter in each
// platform's terms, and the poll's rule over recorded presses and releases,
// which the desktop's keys, the page's keys and its on-screen keys share.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "input/key_channels.h"
#include "input/recorded_keys.h"
#include "render/channel_switches.h"

namespace {

std::optional<Channel> channelOfLetter(char lowerCase) {
    switch (lowerCase) {
    case 'r': return Channel::red;
    case 'g': return Channel::green;
    case 'b': return Channel::blue;
    default: return std::nullopt;
    }
}

TEST(KeyChannels, OnlyRGAndBInEveryFormStandForAChannel) {
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        const auto upper = static_cast<unsigned char>(letter - 'a' + 'A');
        const auto control = static_cast<unsigned char>(letter - 'a' + 1);
        const std::optional<Channel> channel = channelOfLetter(letter);
        EXPECT_EQ(channelOfGlutKey(static_cast<unsigned char>(letter)), channel) << letter;
        EXPECT_EQ(channelOfGlutKey(upper), channel) << "Shift+" << letter;
        EXPECT_EQ(channelOfGlutKey(control), channel) << "Ctrl+" << letter;
        EXPECT_EQ(channelOfKeyCode(upper), channel) << "key code of " << letter;
    }
    // Nothing else: digits, punctuation, Escape, the lower-case codes (F1 and
    // the keypad in a page's terms).
    for (unsigned code = 0; code < 256; ++code) {
        const bool letterForm = (code >= 'a' && code <= 'z') || (code >= 'A' && code <= 'Z') || (code >= 1 && code <= 26);
        if (!letterForm) {
            EXPECT_EQ(channelOfGlutKey(static_cast<unsigned char>(code)), std::nullopt) << code;
        }
        if (code < 'A' || code > 'Z') {
            EXPECT_EQ(channelOfKeyCode(code), std::nullopt) << code;
        }
    }
}

// Events, then the channels shown after each poll ('|'), starting with
// every channel on and nothing held. R, G, B: a key goes down; r, g, b: it
// comes up; '~': the focus goes (nothing is held any longer).
struct Script {
    const char* claim;
    const char* events;
    const char* afterEachPoll;
};

const Script kScripts[] = {
    {"a tap between two polls flips once", "Rr||", "-gb -gb"},
    {"two taps between two polls flip once", "RrRr||", "-gb -gb"},
    {"a held key flips at every poll", "R|||r|", "-gb rgb -gb -gb"},
    {"a key let go of between polls flips at the first poll only", "R|r||", "-gb -gb -gb"},
    {"keys held together flip together", "RGB||", "--- rgb"},
    {"a release without a press does nothing", "g||", "rgb rgb"},
    {"keys are independent", "Rr|G|g|Bb|", "-gb --b --b ---"},
    {"losing the focus lets go of held keys", "RG|~||", "--b --b --b"},
    {"a press before the focus went still counts once", "R~||", "-gb -gb"},
};

std::string polled() {
    pollRecordedChannelKeys();
    const ChannelSwitches on = channelSwitches();
    return {on.red ? 'r' : '-', on.green ? 'g' : '-', on.blue ? 'b' : '-'};
}

TEST(RecordedKeys, ThePollFollowsTheKeyRule) {
    for (const Script& script : kScripts) {
        letGoOfChannelKeys();
        polled();  // forgets presses left from the script before
        switchAllChannelsOn();
        std::string shown;
        for (const char* event = script.events; *event != '\0'; ++event) {
            const std::string letters = "RGBrgb";
            const auto at = letters.find(*event);
            if (*event == '|') {
                shown += (shown.empty() ? "" : " ") + polled();
            } else if (*event == '~') {
                letGoOfChannelKeys();
            } else if (at < 3) {
                channelKeyPressed(static_cast<Channel>(at));
            } else {
                channelKeyReleased(static_cast<Channel>(at - 3));
            }
        }
        EXPECT_EQ(shown, script.afterEachPoll) << script.claim;
    }
}

}  // namespace
