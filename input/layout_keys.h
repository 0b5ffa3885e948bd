// Which letter a key stands for under the keyboard's layouts (XKB's groups),
// going by the key rather than by the character it types, as desktop
// shortcuts do: R is the key that gives r in the layout in use, or, where
// that layout has no Latin letters, the key that gives r in the first one
// that has, or failing that the key in R's place on a US keyboard.
#pragma once

constexpr int kMostLayouts = 4;  // XKB's groups

// One key as the keymap has it.
struct LayoutKey {
    // Its symbol (an X keysym) in each layout, read without modifiers. A key
    // with fewer layouts than the keymap wraps, as XKB does.
    unsigned long symbols[kMostLayouts];
    int layouts;
    // Its place on the keyboard, whatever the layouts: XKB's key name ("AD04"
    // is R's place on a US keyboard), NUL-padded, unterminated at 4.
    char place[4];
};

// The first layout that is Latin: one whose keys give at least half of the
// Latin alphabet's letters (Dvorak and AZERTY are; Russian and Greek are
// not). -1 where none is.
int firstLatinLayout(const LayoutKey* keys, int count);

// The upper-case letter the key stands for while `layout` is in use, given
// the keymap's first Latin layout, or 0 where it stands for none.
char letterOfKey(const LayoutKey& key, int layout, int latinLayout);
