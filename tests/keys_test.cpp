// The channel keys without a window: the letters in each platform's terms,
// under every kind of keyboard layout, and the poll's rule over recorded
// presses and releases, which the desktop's keys, the page's keys and its
// on-screen keys share.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "input/key_mapping.h"
#include "input/layout_keys.h"
#include "input/recorded_keys.h"
#include "render/channel_switches.h"

namespace {

// Letters as the platforms report them: the upper-case letter (X11's keys
// under any layout, Windows' virtual keys), or a page's key code, which is
// the upper-case letter's whatever the case.
TEST(KeyChannels, OnlyRGAndBStandForAChannel) {
    const std::optional<Channel> red = Channel::red, green = Channel::green, blue = Channel::blue, none;
    const struct {
        int code;
        std::optional<Channel> letter, keyCode;
    } rows[] = {
        {'R', red, red},   {'G', green, green}, {'B', blue, blue},  // R is 82, G 71, B 66
        {'r', none, none}, {'g', none, none},   {'b', none, none},  // lower case: neither a letter nor a key code
        {'Q', none, none}, {'S', none, none},   {'F', none, none}, {'H', none, none},
        {'A', none, none}, {'C', none, none},   {'Z', none, none}, {'0', none, none},
        {0, none, none},   {27, none, none},    {255, none, none},  // nothing, Escape, the last byte
    };
    for (const auto& row : rows) {
        EXPECT_EQ(channelOfLetter(static_cast<char>(row.code)), row.letter) << "letter " << row.code;
        EXPECT_EQ(channelOfKeyCode(static_cast<unsigned long>(row.code)), row.keyCode) << "key code " << row.code;
    }
    // A key code whose low byte is R's is not R.
    EXPECT_EQ(channelOfKeyCode(256UL + 'R'), none);
}

// Layouts as what their keys give on the letters' places of a US keyboard,
// row by row from the top left, then on its 1 key: a Latin letter or
// another character as itself, '*' a letter of another alphabet.
constexpr const char* kPlaces[] = {"AD01", "AD02", "AD03", "AD04", "AD05", "AD06", "AD07", "AD08", "AD09",
                                   "AD10", "AC01", "AC02", "AC03", "AC04", "AC05", "AC06", "AC07", "AC08",
                                   "AC09", "AB01", "AB02", "AB03", "AB04", "AB05", "AB06", "AB07", "AE01"};
constexpr const char* kUs = "qwertyuiopasdfghjklzxcvbnm1";
constexpr const char* kDvorak = "',.pyfgcrlaoeuidhtn;qjkxbm1";
constexpr const char* kAzerty = "azertyuiopqsdfghjklwxcvbn,&";
constexpr const char* kRussian = "**************************1";
constexpr const char* kFewLatin = "qwertyuiopas**************1";  // 12 Latin letters: not a Latin layout

// A keymap of the 27 keys above, with these layouts.
std::vector<LayoutKey> keymap(const std::vector<std::string>& layouts) {
    std::vector<LayoutKey> keys(std::size(kPlaces));
    for (std::size_t i = 0; i < keys.size(); ++i) {
        std::copy_n(kPlaces[i], 4, keys[i].place);
        keys[i].layouts = static_cast<int>(layouts.size());
        for (std::size_t layout = 0; layout < layouts.size(); ++layout) {
            const char symbol = layouts[layout][i];
            keys[i].symbols[layout] = symbol == '*' ? 0x6c0 + i : static_cast<unsigned char>(symbol);
        }
    }
    return keys;
}

TEST(LayoutKeys, AKeyStandsForItsLetterInTheLayoutInUseOrTheFirstLatinOne) {
    const struct {
        const char* claim;
        std::vector<std::string> layouts;
        int active;
        const char* keys;  // what each key above stands for, '.' for none
    } rows[] = {
        {"US: every letter its own", {kUs}, 0, "QWERTYUIOPASDFGHJKLZXCVBNM."},
        {"Dvorak: the keys giving the letters", {kDvorak}, 0, "...PYFGCRLAOEUIDHTN.QJKXBM."},
        {"AZERTY: the keys giving the letters", {kAzerty}, 0, "AZERTYUIOPQSDFGHJKLWXCVBN.."},
        {"Russian alone: a US keyboard's places", {kRussian}, 0, "QWERTYUIOPASDFGHJKLZXCVBNM."},
        {"Russian in use beside US", {kUs, kRussian}, 1, "QWERTYUIOPASDFGHJKLZXCVBNM."},
        {"Russian in use before US", {kRussian, kUs}, 0, "QWERTYUIOPASDFGHJKLZXCVBNM."},
        {"Russian in use before Dvorak: Dvorak's letters", {kRussian, kDvorak, kUs}, 0, "...PYFGCRLAOEUIDHTN.QJKXBM."},
        {"US after Russian, in use", {kRussian, kUs}, 1, "QWERTYUIOPASDFGHJKLZXCVBNM."},
        {"a layout beyond the key's wraps", {kUs, kRussian}, 2, "QWERTYUIOPASDFGHJKLZXCVBNM."},
        {"a few Latin letters make no Latin layout", {kFewLatin, kDvorak}, 0, "QWERTYUIOPASEUIDHTN.QJKXBM."},
        {"a few Latin letters and none Latin", {kFewLatin, kRussian}, 0, "QWERTYUIOPASDFGHJKLZXCVBNM."},
    };
    for (const auto& row : rows) {
        const std::vector<LayoutKey> keys = keymap(row.layouts);
        const int latin = firstLatinLayout(keys.data(), static_cast<int>(keys.size()));
        std::string letters;
        for (const LayoutKey& key : keys) {
            const char letter = letterOfKey(key, row.active, latin);
            letters += letter != 0 ? letter : '.';
        }
        EXPECT_EQ(letters, row.keys) << row.claim;
    }
}

// R's place giving these in the only layout, a Latin one: Latin-1's and
// Unicode's r and R stand for R; Greek rho, e acute, a keysym 256 past r, none
// at all, Unicode's first, stand for none.
TEST(LayoutKeys, KeysymsThatAreNoLatinLetterStandForNone) {
    const std::pair<unsigned long, char> rows[] = {{'r', 'R'},       {'R', 'R'},    {0x1000072, 'R'},
                                                   {0x1000052, 'R'}, {0x7f1, '\0'}, {0xe9, '\0'},
                                                   {0x172, '\0'},    {0, '\0'},     {0x1000000, '\0'}};
    for (const auto& [keysym, letter] : rows) {
        std::vector<LayoutKey> keys = keymap({kUs});
        keys[3].symbols[0] = keysym;
        EXPECT_EQ(letterOfKey(keys[3], 0, firstLatinLayout(keys.data(), static_cast<int>(keys.size()))), letter)
            << "keysym " << keysym;
    }
    EXPECT_EQ(letterOfKey(LayoutKey{}, 0, -1), '\0') << "a key with no symbols and no name";
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
