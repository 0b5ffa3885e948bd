// The key rule: which key events between two polls flip which channels.
// A case is a script of events and the switches after each poll.
#include <GL/glut.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "input/channel_keys.h"
#include "render/channel_switches.h"

namespace {

std::string switchesShown() {
    const ChannelSwitches on = channelSwitches();
    return std::string{on.red ? 'r' : '-', on.green ? 'g' : '-', on.blue ? 'b' : '-'};
}

// Events: "r+" / "r-" press / release r ("R+" with Shift, "^r+" with Ctrl,
// which GLUT reports as the control code); "<" / ">" the pointer leaves /
// enters; "|" a poll; "?" the switches without a poll. Returns what each "|"
// and "?" saw, separated by spaces.
std::string run(const std::string& script) {
    for (const char* key = "rgb"; *key != '\0'; ++key) {
        channelKeyUp(static_cast<unsigned char>(*key), 0, 0);
    }
    pollChannelKeys();
    switchAllChannelsOn();

    std::istringstream events(script);
    std::string event;
    std::string seen;
    while (events >> event) {
        if (event == "|" || event == "?") {
            if (event == "|") {
                pollChannelKeys();
            }
            seen += (seen.empty() ? "" : " ") + switchesShown();
        } else if (event == "<" || event == ">") {
            channelKeysPointerEntry(event == "<" ? GLUT_LEFT : GLUT_ENTERED);
        } else {
            const bool control = event[0] == '^';
            const char letter = event[control ? 1 : 0];
            const auto key = static_cast<unsigned char>(control ? letter & 0x1F : letter);
            (event.back() == '+' ? channelKeyDown : channelKeyUp)(key, 0, 0);
        }
    }
    return seen;
}

struct Case {
    const char* claim;
    const char* script;
    const char* seen;
};

const Case kCases[] = {
    {"keys change nothing until the poll", "r+ r- ? |", "rgb -gb"},
    {"a tap between two polls toggles once", "g+ g- | | g+ g- |", "r-b r-b rgb"},
    {"several taps between two polls still toggle once", "b+ b- b+ b- b+ b- |", "rg-"},
    {"a held key toggles at every poll until released", "r+ | | | r- |", "-gb rgb -gb -gb"},
    {"auto-repeat flips a held key once per poll", "g+ | g- g+ | g- g+ g- g+ | g- |", "r-b rgb r-b r-b"},
    {"all three keys flip at the same poll", "r+ g+ b+ | r- g- b- | B+ |", "--- --- --b"},
    {"either case and Ctrl count", "R+ R- | ^r+ ^r- | G+ G- | ^g+ ^g- | B+ B- | ^b+ ^b- |",
     "-gb rgb r-b rgb rg- rgb"},
    {"a modifier changing while the key is down leaves nothing stuck", "^r+ r- | | r+ R- | | B+ ^b- | |",
     "-gb -gb rgb rgb rg- rg-"},
    {"a pointer leaving lets go of held keys, but a press still counts", "r+ < | | g+ | > |",
     "-gb -gb --b -gb"},
};

TEST(ChannelKeys, FollowTheKeyRule) {
    for (const Case& c : kCases) {
        EXPECT_EQ(run(c.script), c.seen) << c.claim << ": " << c.script;
    }
}

TEST(ChannelKeys, EveryOtherKeyDoesNothing) {
    run("");
    const std::string channelKeys("rRgGbB\x12\x07\x02");
    for (int code = 0; code < 256; ++code) {
        const auto key = static_cast<unsigned char>(code);
        if (channelKeys.find(static_cast<char>(key)) == std::string::npos) {
            channelKeyDown(key, 0, 0);
            pollChannelKeys();
            EXPECT_EQ(switchesShown(), "rgb") << code;
            channelKeyUp(key, 0, 0);
        }
    }
}

}  // namespace
