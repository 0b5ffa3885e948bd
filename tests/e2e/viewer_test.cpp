// The real viewer in a real X server: where its pixels land and which colours
// they have, through resizes, closing and bad starts.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "field/height_field.h"
#include "field/random_source.h"
#include "platform/clock.h"
#include "tests/e2e/expected_picture.h"
#include "tests/e2e/x_session.h"

namespace {

HeightField field;

class Viewer : public ::testing::Test {
protected:
    // Starts a viewer at the top left corner; its window, or 0.
    Window start(const char* program, std::vector<std::string> arguments = {}) {
        arguments.insert(arguments.begin(), {"-geometry", "+0+0"});
        viewer.emplace(program, server.name(), arguments);
        return findWindow(server.display(), kTitle);
    }

    XServer server;
    std::optional<Process> viewer;
};

// The README's screenshot is this test's own capture of the seeded viewer,
// so it always shows what the program shows.
std::vector<unsigned char> rgb(const Picture& picture) {
    std::vector<unsigned char> bytes;
    for (std::uint32_t pixel : picture.pixels) {
        bytes.insert(bytes.end(), {static_cast<unsigned char>(pixel >> 16U),
                                   static_cast<unsigned char>(pixel >> 8U), static_cast<unsigned char>(pixel)});
    }
    return bytes;
}

std::vector<unsigned char> decodePng(const std::string& path) {
    std::vector<unsigned char> bytes;
    // /usr/bin: some machines put a stand-in convert earlier on the PATH.
    FILE* pipe = popen(("/usr/bin/convert '" + path + "' -depth 8 rgb:-").c_str(), "r");
    if (pipe != nullptr) {
        for (int c = std::fgetc(pipe); c != EOF; c = std::fgetc(pipe)) {
            bytes.push_back(static_cast<unsigned char>(c));
        }
        pclose(pipe);
    }
    return bytes;
}

TEST_F(Viewer, SeededBuildShowsSeedOnePixelForPixelAsTheReadmeScreenshotDoes) {
    const Window window = start(PLASMA_SEEDED_VIEWER);
    ASSERT_NE(window, 0U);
    generateField(field, 1);
    const Picture expected = expectedPicture(field, kAllOn);
    const Picture shown = captureUntil(server.display(), window, [&](const Picture& p) { return p == expected; });
    ASSERT_EQ(mismatches(shown, expected), 0);

    const std::string fresh = PLASMA_FRESH_SCREENSHOT;
    {
        std::ofstream ppm(fresh + ".ppm", std::ios::binary);
        ppm << "P6\n" << shown.width << ' ' << shown.height << "\n255\n";
        const std::vector<unsigned char> bytes = rgb(shown);
        ppm.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    ASSERT_EQ(std::system(("/usr/bin/convert '" + fresh + ".ppm' -strip -define png:compression-level=9 '" + fresh + "'").c_str()), 0);
    EXPECT_EQ(decodePng(fresh), rgb(shown));
    EXPECT_TRUE(decodePng(PLASMA_README_SCREENSHOT) == rgb(shown))
        << "the README's screenshot is out of date: copy " << fresh << " to " << PLASMA_README_SCREENSHOT;
}

// The program seeds from the clock while it starts, so its seed lies between
// the clock before the start and after the window shows; the one seed whose
// field the window shows exactly is searched for there.
std::optional<std::uint32_t> seedShown(const Picture& shown, std::uint32_t from, std::uint32_t to) {
    for (std::uint32_t seed = from; seed != to + 1; ++seed) {
        seedRandom(seed);
        // Cell [0][0] is the first draw: a cheap test before the whole field.
        if (pixelFor(static_cast<float>(unitDraw()), kAllOn) != shown.at(kMargin, kWindow - 1 - kMargin)) {
            continue;
        }
        generateField(field, seed);
        if (mismatches(shown, expectedPicture(field, kAllOn)) == 0) {
            return seed;
        }
    }
    return std::nullopt;
}

TEST_F(Viewer, ProgramShowsTheFieldOfTheMillisecondItStartedIn) {
    const std::uint32_t before = tickCount();
    const Window window = start(PLASMA_VIEWER);
    ASSERT_NE(window, 0U);
    // Taken once a whole frame is there: with every channel on, no cell is black.
    const Picture shown = captureUntil(server.display(), window, [](const Picture& p) {
        for (int x = kMargin; x < kWindow - kMargin; ++x) {
            for (int y = kMargin; y < kWindow - kMargin; ++y) {
                if (p.at(x, y) == 0) {
                    return false;
                }
            }
        }
        return true;
    });
    const std::uint32_t after = tickCount();
    ASSERT_EQ(shown.width, kWindow);
    ASSERT_EQ(shown.height, kWindow);
    EXPECT_TRUE(seedShown(shown, before, after).has_value()) << "no seed in " << before << ".." << after;
}

// After any resize the picture keeps its size and its place at the
// lower-left corner; the rest of the window is black.
TEST_F(Viewer, ResizesKeepThePictureInPlace) {
    const Window window = start(PLASMA_SEEDED_VIEWER);
    ASSERT_NE(window, 0U);
    generateField(field, 1);
    for (auto [width, height] : {std::pair{800, 600}, {300, 300}, {532, 532}, {1100, 1000}, {532, 532}}) {
        resizeWindow(server.display(), window, width, height);
        const Picture expected = expectedPicture(field, kAllOn, width, height);
        const Picture shown =
            captureUntil(server.display(), window, [&](const Picture& p) { return p == expected; });
        EXPECT_EQ(mismatches(shown, expected), 0) << width << " x " << height;
    }
}

// The close request is seen between frames, so it takes at most one frame
// (the pause and a drawing) to act on.
TEST_F(Viewer, ClosingTheWindowEndsTheProgramWithinAFrameWithSuccessAndNoOutput) {
    const Window window = start(PLASMA_VIEWER, {"an-unknown-word", "--another"});
    ASSERT_NE(window, 0U);
    std::this_thread::sleep_for(500ms);
    ASSERT_TRUE(viewer->running());
    const auto asked = std::chrono::steady_clock::now();
    requestClose(server.display(), window);
    EXPECT_EQ(viewer->waitForExit(2s), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - asked, 600ms);
    EXPECT_EQ(viewer->output(), "");
}

TEST_F(Viewer, LosingTheDisplayEndsTheProgramPromptlyWithFailure) {
    ASSERT_NE(start(PLASMA_VIEWER), 0U);
    std::this_thread::sleep_for(500ms);
    server.kill();
    const std::optional<int> status = viewer->waitForExit(2s);
    ASSERT_TRUE(status.has_value()) << "still running without its display";
    EXPECT_GT(*status, 0) << "ended by signal " << -*status;
}

TEST_F(Viewer, TerminateEndsTheProgramAtOnce) {
    ASSERT_NE(start(PLASMA_VIEWER), 0U);
    kill(viewer->pid(), SIGTERM);
    EXPECT_EQ(viewer->waitForExit(1s), -SIGTERM);
}

// GLUT says what is wrong and ends the program; nothing waits for a window.
TEST_F(Viewer, BadStartsFailPromptlyWithGlutsError) {
    for (const auto& [display, arguments] :
         {std::pair<std::string, std::vector<std::string>>{"", {}},
          {":9999", {}},
          {server.name(), {"-display"}},
          {server.name(), {"-geometry", "+0+0", "-display"}},
          {server.name(), {"-geometry"}},
          {server.name(), {"-direct", "-indirect"}}}) {
        Process failing(PLASMA_VIEWER, display, arguments);
        const std::optional<int> status = failing.waitForExit(5s);
        ASSERT_TRUE(status.has_value()) << "still running with DISPLAY=" << display;
        EXPECT_GT(*status, 0);
        EXPECT_NE(failing.output().find("freeglut"), std::string::npos) << failing.output();
    }
}

}  // namespace
