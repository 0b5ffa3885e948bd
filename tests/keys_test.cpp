// The channel keys without a window: every form of every letter in each
// platform's terms, and the poll's rule over recorded presses and releases,
// which the desktop's keys, the page's keys and its on-screen keys share.
#include <gtest/gtest.h>

#include <cctype>
#include <optional>
#include <string>

#include "input/key_mapping.h"
#include "input/recorded_keys.h"
#include "render/channel_switches.h"

namespace {

TEST(KeyChannels, OnlyRGAndBInEveryFormStandForAChannel) {
    for (int code = 0; code < 256; ++code) {
        // The lower-case letter a GLUT character or a key code stands for, if any.
        const bool control = code >= 1 && code <= 26;
        const auto glutLetter = static_cast<char>(control ? code - 1 + 'a' : std::tolower(code));
        const auto codeLetter = static_cast<char>(code >= 'A' && code <= 'Z' ? code - 'A' + 'a' : 0);
        const auto channelOf = [&](char letter) -> std::optional<Channel> {
            const auto at = std::string("rgb").find(letter);
            return letter != 0 && at != std::string::npos ? std::optional(static_cast<Channel>(at)) : std::nullopt;
        };
        EXPECT_EQ(channelOfGlutKey(static_cast<unsigned char>(code)), channelOf(glutLetter))
            << "GLUT character " << code;
        EXPECT_EQ(channelOfKeyCode(static_cast<unsigned long>(code)), channelOf(codeLetter)) << "key code " << code;
    }
}

// Events, then the channels shown after each poll ('|'), starting with
// every channel on and nothing held. R, G, B: a key goes down; r, g, b: it
// comes up; '~': the focus goes (nothing is held any longer).
const struct {
    const char* claim;
    const char* events;
    const char* afterEachPoll;
} kScripts[] = {
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

TEST(RecordedKeys, ThePollFollowsTheKeyRule) {
    for (const auto& script : kScripts) {
        letGoOfChannelKeys();
        pollRecordedChannelKeys();  // forgets presses left from the script before
        switchAllChannelsOn();
        std::string shown;
        for (const char* event = script.events; *event != '\0'; ++event) {
            const auto key = std::string("RGBrgb").find(*event);
            if (*event == '|') {
                pollRecordedChannelKeys();
                const ChannelSwitches on = channelSwitches();
                shown += std::string(shown.empty() ? "" : " ") + (on[Channel::red] ? 'r' : '-') +
                         (on[Channel::green] ? 'g' : '-') + (on[Channel::blue] ? 'b' : '-');
            } else if (*event == '~') {
                letGoOfChannelKeys();
            } else if (key < 3) {
                channelKeyPressed(static_cast<Channel>(key));
            } else {
                channelKeyReleased(static_cast<Channel>(key - 3));
            }
        }
        EXPECT_EQ(shown, script.afterEachPoll) << script.claim;
    }
}

}  // namespace
