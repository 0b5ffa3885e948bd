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

}  // namespace

void subdivide(HeightField& field, int x0, int y0, int x1, int y1) {
    // The last quarter is taken by looping rather than recursing.
    for (;;) {
        const int side = x1 - x0;
        if (side < 2) {
            return;
        }
        const int mx = x1 - (x1 - x0) / 2;
        const int my = y1 - (y1 - y0) / 2;
        field[mx][y0] = edgeMidpoint(field[x1][y0], field[x0][y0]);
        field[mx][y1] = edgeMidpoint(field[x0][y1], field[x1][y1]);
        field[x0][my] = edgeMidpoint(field[x0][y1], field[x0][y0]);
        field[x1][my] = edgeMidpoint(field[x1][y0], field[x1][y1]);

        // The average is rounded before the displacement is added; the draw is not.
        const auto average = static_cast<float>(
            (static_cast<double>(field[x0][y1]) + static_cast<double>(field[x1][y0]) +
             static_cast<double>(field[x0][y0]) + static_cast<double>(field[x1][y1])) *
            0.25);
        const double draw = unitDraw();
        double centre = static_cast<double>(average) +
                        (draw - 0.5) * (static_cast<double>(side) *
                                        static_cast<double>(kDisplacementPerSide));
        if (centre > 1.0) {
            centre = 1.0;
        } else if (centre < 0.0) {
            centre = 0.0;
        }
        field[mx][my] = static_cast<float>(centre);

        subdivide(field, x0, y0, mx, my);
        subdivide(field, mx, y0, x1, my);
        subdivide(field, x0, my, mx, y1);
        x0 = mx;
        y0 = my;
    }
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
