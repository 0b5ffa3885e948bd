// Recording stand-ins for the calls a frame makes to GL, GLUT, the pause and
// the key poll, linked in place of the real ones.
#pragma once

#include <vector>

enum class Call { clear, begin, end, colour, vertex, swap, pause, postRedisplay, poll };

struct Record {
    Call call;
    float a = 0.0F;  // colour: red; vertex: x
    float b = 0.0F;  // colour: green; vertex: y
    float c = 0.0F;  // colour: blue
    unsigned value = 0;  // clear: mask; begin: mode; pause: milliseconds
};

std::vector<Record>& recordedCalls();
