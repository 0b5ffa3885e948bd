// The page's GL arithmetic, in single precision where a desktop GL keeps it so.
#include "platform/web/point_gl.h"

#include <algorithm>
#include <cmath>

Matrix identityMatrix() { return {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}}; }

Matrix translationMatrix(float x, float y, float z) { return {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1}}; }

Matrix orthographicMatrix(double left, double right, double bottom, double top) {
    const auto scale = [](double from, double to) { return static_cast<float>(2.0 / (to - from)); };
    const auto shift = [](double from, double to) { return static_cast<float>(-(to + from) / (to - from)); };
    return {{scale(left, right), 0, 0, 0, 0, scale(bottom, top), 0, 0, 0, 0, -1, 0, shift(left, right),
             shift(bottom, top), 0, 1}};
}

Matrix operator*(const Matrix& a, const Matrix& b) {
    Matrix product{};
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            float sum = 0.0F;
            for (int k = 0; k < 4; ++k) {
                sum += a.m[k * 4 + row] * b.m[column * 4 + k];
            }
            product.m[column * 4 + row] = sum;
        }
    }
    return product;
}

GatheredPoint clipPoint(const Matrix& toClip, float x, float y) {
    const float* m = toClip.m;
    return {m[0] * x + m[4] * y + m[12], m[1] * x + m[5] * y + m[13], 0, 0, 0, 0};
}

std::uint8_t colourLevel(float channel) {
    const float clamped = channel > 0.0F ? std::min(channel, 1.0F) : 0.0F;  // not a number: 0
    const float scaled = clamped * 255.0F;
    return static_cast<std::uint8_t>(
        std::nearbyint(static_cast<float>(scaled)));  // the default rounding: halves to even
}
