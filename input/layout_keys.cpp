// The keys' letters under any layout, apart from the X server so that every
// kind of keymap can be checked without one.
#include "input/layout_keys.h"

#include <bitset>
#include <string_view>

namespace {

constexpr unsigned long kUnicodeSymbols = 0x1000000UL;  // keysyms 0x1000000 + U are the code point U

// The upper-case letter a keysym is, if a Latin one, or 0. Latin-1 keysyms
// are their characters.
char latinLetter(unsigned long symbol) {
    if (symbol > kUnicodeSymbols) {
        symbol -= kUnicodeSymbols;
    }
    if (symbol >= 'a' && symbol <= 'z') {
        return static_cast<char>(symbol - 'a' + 'A');
    }
    return symbol >= 'A' && symbol <= 'Z' ? static_cast<char>(symbol) : '\0';
}

unsigned long symbolIn(const LayoutKey& key, int layout) {
    return key.layouts > 0 && layout >= 0 ? key.symbols[layout % key.layouts % kMostLayouts] : 0;
}

// The letters' places on a US keyboard, by row (XKB's AD, AC and AB: the
// rows from the digits down) and from the left, starting at 01.
char usLetterAt(const char (&place)[4]) {
    constexpr std::string_view kRows[] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
    constexpr std::string_view kRowNames = "DCB";
    const std::size_t row = kRowNames.find(place[1]);
    if (place[0] != 'A' || row == std::string_view::npos || place[2] < '0' || place[2] > '9' || place[3] < '0' ||
        place[3] > '9') {
        return '\0';
    }
    const std::size_t column = static_cast<std::size_t>(place[2] - '0') * 10 + static_cast<std::size_t>(place[3] - '0');
    return column >= 1 && column <= kRows[row].size() ? kRows[row][column - 1] : '\0';
}

}  // namespace

int firstLatinLayout(const LayoutKey* keys, int count) {
    constexpr std::size_t kLetters = 26;
    for (int layout = 0; layout < kMostLayouts; ++layout) {
        std::bitset<kLetters> letters;
        for (int i = 0; i < count; ++i) {
            if (keys[i].layouts > layout) {
                if (const char letter = latinLetter(keys[i].symbols[layout])) {
                    letters.set(static_cast<std::size_t>(letter - 'A'));
                }
            }
        }
        if (2 * letters.count() >= kLetters) {
            return layout;
        }
    }
    return -1;
}

char letterOfKey(const LayoutKey& key, int layout, int latinLayout) {
    if (const char letter = latinLetter(symbolIn(key, layout))) {
        return letter;
    }
    return latinLayout >= 0 ? latinLetter(symbolIn(key, latinLayout)) : usLetterAt(key.place);
}
