// Which colour channel a reported key stands for, in each platform's terms.
// A letter counts in either case and with any modifier held.
#pragma once

#include <optional>

#include "render/channels.h"

// An upper-case letter's channel, if it has one.
std::optional<Channel> channelOfLetter(char letter);

// A page's key codes, the upper-case letter's code whatever the case or
// modifiers (R is 82).
std::optional<Channel> channelOfKeyCode(unsigned long keyCode);
