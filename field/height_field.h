// The plasma height field: a square lattice filled once by recursive midpoint
// displacement and read by the renderer for the rest of the run.
#pragma once

#include <cstdint>

constexpr int kFieldSide = 512;                 // squares of this side are subdivided
constexpr int kLatticePoints = kFieldSide + 1;  // cells per row and column, both edges included

// Cells addressed [x][y]; x runs left to right, y bottom to top on screen.
using HeightField = float[kLatticePoints][kLatticePoints];

// Fills a field from the given seed. The same seed always gives the same
// field, cell for cell.
void generateField(HeightField& field, std::uint32_t seed);

// Midpoint displacement over the square of the field with lower-left corner
// (x0, y0) and upper-right corner (x1, y1), then over its four quarters.
// Writes and reads only cells of that square.
void subdivide(HeightField& field, int x0, int y0, int x1, int y1);

// The program's one field: zero until start-up generates it.
const HeightField& heightField();

// Fills the program's field from the millisecond clock and turns every colour
// channel on: what the program does once at start-up.
void generateField();
