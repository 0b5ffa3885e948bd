// Generation against a plain reference: the most straightforward recursive
// midpoint displacement that gives the same field, written here on its own.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "field/height_field.h"

namespace {

HeightField field;
HeightField referenceField;

namespace reference {

std::uint32_t state = 1;

double draw() {
    state = state * 214013U + 2531011U;
    const int k = static_cast<int>((state >> 16U) & 0x7FFFU) % 10000;
    return k * static_cast<double>(0.0001F);
}

void subdivide(HeightField& a, int x0, int y0, int x1, int y1) {
    const int s = x1 - x0;
    if (s < 2) {
        return;
    }
    const int mx = x1 - (x1 - x0) / 2;
    const int my = y1 - (y1 - y0) / 2;
    a[mx][y0] = static_cast<float>((static_cast<double>(a[x1][y0]) + a[x0][y0]) * 0.5);
    a[mx][y1] = static_cast<float>((static_cast<double>(a[x0][y1]) + a[x1][y1]) * 0.5);
    a[x0][my] = static_cast<float>((static_cast<double>(a[x0][y1]) + a[x0][y0]) * 0.5);
    a[x1][my] = static_cast<float>((static_cast<double>(a[x1][y0]) + a[x1][y1]) * 0.5);
    const auto avg = static_cast<float>((static_cast<double>(a[x0][y1]) + a[x1][y0] + a[x0][y0] + a[x1][y1]) * 0.25);
    double m = avg + (draw() - 0.5) * (s * static_cast<double>(0.001953125F));
    if (m > 1) {
        m = 1;
    } else if (m < 0) {
        m = 0;
    }
    a[mx][my] = static_cast<float>(m);
    subdivide(a, x0, y0, mx, my);
    subdivide(a, mx, y0, x1, my);
    subdivide(a, x0, my, mx, y1);
    subdivide(a, mx, my, x1, y1);
}

void generate(HeightField& a, std::uint32_t seed) {
    std::memset(&a, 0, sizeof a);
    state = seed;
    a[0][0] = static_cast<float>(draw());
    a[0][512] = static_cast<float>(draw());
    a[512][0] = static_cast<float>(draw());
    a[512][512] = static_cast<float>(draw());
    subdivide(a, 0, 0, 512, 512);
}

}  // namespace reference

void BM_generateField(benchmark::State& state) {
    std::uint32_t seed = 1;
    for (auto _ : state) {
        generateField(field, seed++);
        benchmark::DoNotOptimize(field[256][256]);
    }
}
BENCHMARK(BM_generateField)->Unit(benchmark::kMicrosecond);

void BM_generateReference(benchmark::State& state) {
    std::uint32_t seed = 1;
    for (auto _ : state) {
        reference::generate(referenceField, seed++);
        benchmark::DoNotOptimize(referenceField[256][256]);
    }
}
BENCHMARK(BM_generateReference)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    // The comparison means something only if both make the same field.
    for (std::uint32_t seed : {0U, 1U, 4000000000U}) {
        generateField(field, seed);
        reference::generate(referenceField, seed);
        if (std::memcmp(&field, &referenceField, sizeof field) != 0) {
            std::fprintf(stderr, "the reference makes another field for seed %u\n", seed);
            return EXIT_FAILURE;
        }
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return EXIT_SUCCESS;
}
