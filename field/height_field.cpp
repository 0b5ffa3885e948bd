// Midpoint displacement. Sums are formed in double precision and every stored
// value is rounded to single precision at the store; the exact points of
// rounding are part of what a seed produces.
#include "field/height_field.h"

#include "field/random_source.h"

namespace {

// 1/512, single precision, as the displacement scale per unit of side.
constexpr float kDisplacementPerSide = 0.001953125F;

float edgeMidpoint(float a, float b) {
    return static_cast<float>((static_cast<double>(a) + static_cast<double>(b)) * 0.5);
}

// The corner values of a square, as stored in the field.
struct Corners {
    float lowerLeft;
    float lowerRight;
    float upperLeft;
    float upperRight;
};

// Midpoint displacement with the square's corners handed down rather than
// read back: they are exactly the values the parent square just stored.
void displace(HeightField& field, int x0, int y0, int x1, int y1, Corners corners) {
    // The last quarter is taken by looping rather than recursing.
    for (;;) {
        const int side = x1 - x0;
        if (side < 2) {
            return;
        }
        const int mx = x1 - (x1 - x0) / 2;
        const int my = y1 - (y1 - y0) / 2;
        const auto [lowerLeft, lowerRight, upperLeft, upperRight] = corners;
        const float bottom = edgeMidpoint(lowerRight, lowerLeft);
        const float top = edgeMidpoint(upperLeft, upperRight);
        const float left = edgeMidpoint(upperLeft, lowerLeft);
        const float right = edgeMidpoint(lowerRight, upperRight);
        field[mx][y0] = bottom;
        field[mx][y1] = top;
        field[x0][my] = left;
        field[x1][my] = right;

        // The average is rounded before the displacement is added; the draw is not.
        const auto average = static_cast<float>((static_cast<double>(upperLeft) + static_cast<double>(lowerRight) +
                                                 static_cast<double>(lowerLeft) + static_cast<double>(upperRight)) *
                                                0.25);
        const double draw = unitDraw();
        double centre = static_cast<double>(average) +
                        (draw - 0.5) * (static_cast<double>(side) * static_cast<double>(kDisplacementPerSide));
        if (centre > 1.0) {
            centre = 1.0;
        } else if (centre < 0.0) {
            centre = 0.0;
        }
        const auto middle = static_cast<float>(centre);
        field[mx][my] = middle;

        if (side == 2) {
            return;  // the quarters have side 1: nothing to write or draw
        }
        displace(field, x0, y0, mx, my, {lowerLeft, bottom, left, middle});
        displace(field, mx, y0, x1, my, {bottom, lowerRight, middle, right});
        displace(field, x0, my, mx, y1, {left, middle, upperLeft, top});
        x0 = mx;
        y0 = my;
        corners = {middle, right, top, upperRight};
    }
}

}  // namespace

void subdivide(HeightField& field, int x0, int y0, int x1, int y1) {
    displace(field, x0, y0, x1, y1, {field[x0][y0], field[x1][y0], field[x0][y1], field[x1][y1]});
}

void generateField(HeightField& field, std::uint32_t seed) {
    for (auto& column : field) {
        for (float& cell : column) {
            cell = 0.0F;
        }
    }
    seedRandom(seed);
    // The draw order of the corners is fixed: it decides which corner gets which value.
    field[0][0] = static_cast<float>(unitDraw());
    field[0][kFieldSide] = static_cast<float>(unitDraw());
    field[kFieldSide][0] = static_cast<float>(unitDraw());
    field[kFieldSide][kFieldSide] = static_cast<float>(unitDraw());
    subdivide(field, 0, 0, kFieldSide, kFieldSide);
}
