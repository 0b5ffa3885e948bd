// The real viewer against two reference viewers, in one virtual X server,
// run in turn: CPU time per frame, time to the first frame, peak resident
// memory and allocations per frame, as medians over the rounds.
// Usage: frame_bench PROBE VIEWER IMMEDIATE_REFERENCE ARRAY_REFERENCE [ROUNDS]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include "tests/e2e/x_session.h"

namespace {

struct Run {
    double firstFrameMs = 0;
    double frameCpuMs = 0;
    double allocationsPerFrame = 0;
    double peakMiB = 0;
};

double monotonicSeconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

bool measure(const XServer& server, const std::string& viewer, const std::string& out, Run& run) {
    std::remove(out.c_str());
    const double started = monotonicSeconds();
    Process process(viewer, server.name(), {"-geometry", "+0+0"});
    const Window window = findWindow(server.display(), "Plasma Fractals");
    if (window == 0) {
        return false;
    }
    std::this_thread::sleep_for(4s);  // about fifteen frames
    requestClose(server.display(), window);
    if (process.waitForExit(5s) != 0) {
        return false;
    }
    long swaps = 0;
    double firstSwap = 0;
    double cpu = 0;
    double allocations = 0;
    long peakKiB = 0;
    std::ifstream results(out);
    if (!(results >> swaps >> firstSwap >> cpu >> allocations >> peakKiB) || swaps < 5) {
        return false;
    }
    run = {(firstSwap - started) * 1000, cpu * 1000, allocations, static_cast<double>(peakKiB) / 1024};
    return true;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s PROBE VIEWER IMMEDIATE_REFERENCE ARRAY_REFERENCE [ROUNDS]\n", argv[0]);
        return 2;
    }
    const int rounds = argc > 5 ? std::atoi(argv[5]) : 5;
    const std::vector<std::string> viewers = {argv[2], argv[3], argv[4]};
    const char* names[] = {"plasma-fractals", "reference, immediate mode", "reference, vertex array"};
    XServer server;
    const std::string out = "/tmp/plasma-probe-" + std::to_string(getpid());
    setenv("LD_PRELOAD", argv[1], 1);
    setenv("PLASMA_PROBE_OUT", out.c_str(), 1);

    std::vector<Run> runs[3];
    for (int round = 0; round < rounds; ++round) {
        for (int turn = 0; turn < 3; ++turn) {
            const int which = (round + turn) % 3;  // each goes first in turn
            Run run;
            if (!measure(server, viewers[static_cast<std::size_t>(which)], out, run)) {
                std::fprintf(stderr, "could not measure %s\n", names[which]);
                return 1;
            }
            runs[which].push_back(run);
        }
    }
    std::remove(out.c_str());

    auto column = [&](int which, double Run::*field) {
        std::vector<double> values;
        for (const Run& run : runs[which]) {
            values.push_back(run.*field);
        }
        return median(values);
    };
    struct Row {
        const char* name;
        double Run::*field;
        const char* goal;
    };
    const Row rows[] = {
        {"CPU per frame (ms)", &Run::frameCpuMs, "<= 1.05"},
        {"first frame (ms)", &Run::firstFrameMs, "<= 1.10"},
        {"peak resident (MiB)", &Run::peakMiB, ""},
        {"allocations per frame", &Run::allocationsPerFrame, ""},
    };
    std::printf("%-24s %12s %12s %8s %8s %12s %8s\n", "median of " , "viewer", "immediate", "ratio", "goal",
                "array", "ratio");
    for (const Row& row : rows) {
        const double ours = column(0, row.field);
        const double immediate = column(1, row.field);
        const double array = column(2, row.field);
        std::printf("%-24s %12.2f %12.2f %8.2f %8s %12.2f %8.2f\n", row.name, ours, immediate,
                    immediate > 0 ? ours / immediate : 0.0, row.goal, array, array > 0 ? ours / array : 0.0);
    }
    std::printf("(%d rounds, each viewer run for 4 s per round, in turn)\n", rounds);
    return 0;
}
