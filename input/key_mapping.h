// Which colour channel a reported key stands for, in each platform's terms.
// A letter counts in either case and with any modifier held.
#pragma once

#include <optional>

#include "render/channels.h"

// GLUT's characters: R arrives as 'r', 'R' (Shift, Caps Lock) or 0x12 (Ctrl).
std::optional<Channel> channelOfGlutKey(unsigned char key);

// A page's key codes, the upper-case letter's code whatever the case or
// modifiers (R is 82).
std::optional<Channel> channelOfKeyCode(unsigned long keyCode);

// The character a letter's key gives unshifted, which is also its X keysym
// (Latin-1 keysyms are their characters).
constexpr unsigned char lowerCase(char letter) { return static_cast<unsigned char>(letter - 'A' + 'a'); }
