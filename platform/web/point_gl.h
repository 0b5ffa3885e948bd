// The page's GL, its arithmetic: what a desktop GL does with the calls the
// viewer makes, worked out in WebAssembly so that a frame's points reach
// WebGL in one upload. Nothing here touches WebGL (testable natively).
#pragma once

#include <cstdint>

// A GL matrix: column-major, single precision, as desktop GLs keep them.
struct Matrix {
    float m[16];
};

Matrix identityMatrix();
Matrix translationMatrix(float x, float y, float z);
// gluOrtho2D's: glOrtho's with near -1 and far 1.
Matrix orthographicMatrix(double left, double right, double bottom, double top);
// a × b: b applied first, as glMultMatrix makes the current matrix.
Matrix operator*(const Matrix& a, const Matrix& b);

// A point as the page's shader takes it: clip coordinates (w is 1 under the
// viewer's matrices, which are all affine) and the colour's 8-bit levels.
struct GatheredPoint {
    float x;
    float y;
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
    std::uint8_t alpha;
};

// The vertex (x, y, 0, 1) through a matrix (projection times model-view).
GatheredPoint clipPoint(const Matrix& toClip, float x, float y);

// A colour channel's 8-bit level as a desktop GL stores it: clamped to
// [0, 1], times 255 in single precision, rounded to the nearest level,
// halves to even.
std::uint8_t colourLevel(float channel);
