// How many device pixels each point takes, and where the window goes
// (README.md, "Display scale"), as tables of readings; and the desktop's
// settings read from XSETTINGS' bytes.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "app/window_scale.h"
#include "platform/linux/xsettings.h"

namespace {

TEST(PointScale, TheNearestWholeScaleAtWhichTheWindowFits) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        DisplayReading display;
        int scale;
    } rows[] = {
        {{96, 1280, 1024, 0, 0}, 1},     {{120, 1280, 1024, 0, 0}, 1},     // 100%, 125%
        {{143.9, 1920, 1200, 0, 0}, 1},  {{144, 1920, 1200, 0, 0}, 2},     // just under 150%, 150%
        {{192, 1920, 1200, 0, 0}, 2},    {{239.9, 3840, 2160, 0, 0}, 2},   // 200%, just under 250%
        {{288, 3840, 2160, 0, 0}, 3},    {{480, 3840, 2160, 0, 0}, 4},     // 300%; 500% fits 4
        {{192, 1280, 800, 0, 0}, 1},                                       // 200% on a small screen
        {{192, 1064, 1064, 0, 0}, 2},    {{192, 1063, 1200, 0, 0}, 1},     // just fits; one pixel short
        {{192, 1920, 1080, 16, 39}, 1},  {{192, 1920, 1103, 16, 39}, 2},   // the frame counts
        {{48, 1280, 1024, 0, 0}, 1},     {{0, 1280, 1024, 0, 0}, 1},       // never below one
        {{-192, 1920, 1200, 0, 0}, 1},   {{nan, 1920, 1200, 0, 0}, 1},     // nonsense readings
        {{192, 0, 0, 0, 0}, 1},                                            // no work area known
        {{96, 1920, 1200, 0, 0, 2}, 2},  {{192, 1920, 1200, 0, 0, 2}, 2},  // windows scaled by 2: Xfce's, GNOME's
        {{120, 3840, 2160, 0, 0, 3}, 3}, {{192, 1920, 1200, 0, 0, 1}, 2},  // by 3; by 1, the DPI says 2
        {{96, 1920, 1080, 2, 25, 2}, 1},                                   // the frame leaves no room for 2
    };
    for (const auto& row : rows) {
        EXPECT_EQ(pointScale(row.display), row.scale)
            << row.display.dotsPerInch << " dpi, work area " << row.display.workWidth << " x " << row.display.workHeight
            << ", frame " << row.display.frameWidth << " x " << row.display.frameHeight << ", windows scaled by "
            << row.display.windowScale;
    }
}

// A window of 532 with a frame of 2 by 25 at (694, 281) on 1920 x 1080,
// grown to n = 2 about its centre, kept within the work area, or left where
// the user put it.
TEST(PointScale, AGrownWindowKeepsItsCentreWithinTheWorkAreaOrItsPlaceIfTheUsers) {
    const struct {
        int frameX, frameY, workX, workY, workWidth, workHeight;
        bool placedByUser;
        WindowPlace place;
    } rows[] = {
        {694, 281, 0, 0, 1920, 1200, false, {428, 15}},    // about the centre
        {694, 281, 0, 40, 1920, 1160, false, {428, 40}},   // below a panel
        {0, 0, 0, 0, 1920, 1200, false, {0, 0}},           // in the corner, stays on the screen
        {1380, 0, 0, 0, 1920, 1200, false, {854, 0}},      // at the right edge
        {1920, 0, 1920, 0, 1280, 1024, false, {1920, 0}},  // a second monitor too small: its corner
        {694, 281, 0, 0, 0, 0, false, {428, 15}},          // no work area known
        {694, 281, 0, 0, 1920, 1200, true, {694, 281}},    // -geometry's corner
    };
    for (const auto& row : rows) {
        const DisplayReading display{96,  row.workWidth, row.workHeight,  2,          25,
                                     2,   row.workX,     row.workY,       row.frameX, row.frameY,
                                     532, 532,           row.placedByUser};
        const WindowPlace place = windowPlace(display, 2);
        EXPECT_EQ(place.x, row.place.x) << row.frameX << ", " << row.frameY << " in " << row.workWidth;
        EXPECT_EQ(place.y, row.place.y) << row.frameX << ", " << row.frameY << " in " << row.workHeight;
    }
}

// XSETTINGS' bytes, in either byte order: a header, then each setting's
// type, name and value ('i' an integer, 's' a string, 'c' a colour), every
// part padded to four bytes.
std::vector<unsigned char> settingsBytes(bool mostSignificantFirst,
                                         const std::vector<std::tuple<char, std::string, long>>& settings) {
    std::vector<unsigned char> bytes{static_cast<unsigned char>(mostSignificantFirst), 0, 0, 0};
    const auto number = [&](unsigned long value, int width) {
        for (int i = 0; i < width; ++i) {
            bytes.push_back(static_cast<unsigned char>(value >> (8 * (mostSignificantFirst ? width - 1 - i : i))));
        }
    };
    const auto padded = [&](const std::string& text) {
        bytes.insert(bytes.end(), text.begin(), text.end());
        bytes.resize((bytes.size() + 3) / 4 * 4);
    };
    number(3, 4);  // the serial
    number(settings.size(), 4);
    for (const auto& [type, name, value] : settings) {
        bytes.insert(bytes.end(), {static_cast<unsigned char>(std::string("isc").find(type)), 0});
        number(name.size(), 2);
        padded(name);
        number(7, 4);  // the serial of its last change
        if (type == 's') {
            number(7, 4);
            padded("Adwaita");
        } else {
            number(static_cast<unsigned long>(value), type == 'i' ? 4 : 8);
        }
    }
    return bytes;
}

TEST(DesktopSettings, IntegersAreFoundByTheirWholeNameInEitherByteOrder) {
    for (const bool mostSignificantFirst : {false, true}) {
        const std::vector<unsigned char> bytes =
            settingsBytes(mostSignificantFirst, {{'s', "Net/ThemeName", 0},
                                                 {'c', "Gtk/Colour", 0},
                                                 {'i', "Gdk/WindowScalingFactorX", 3},
                                                 {'i', "Gdk/WindowScalingFactor", 2},
                                                 {'i', "Xft/DPI", -1}});
        const auto find = [&](const char* name, std::size_t size) {
            return xsettingsInteger(bytes.data(), size, name);
        };
        EXPECT_EQ(find("Gdk/WindowScalingFactor", bytes.size()), 2) << mostSignificantFirst;
        EXPECT_EQ(find("Xft/DPI", bytes.size()), -1) << mostSignificantFirst;
        EXPECT_EQ(find("Gdk/Window", bytes.size()), std::nullopt) << mostSignificantFirst;
        // Cut short anywhere, the bytes give what they hold whole, or nothing.
        for (std::size_t size = 0; size < bytes.size(); ++size) {
            EXPECT_EQ(find("Xft/DPI", size), std::nullopt) << size;
            const auto factor = find("Gdk/WindowScalingFactor", size);
            EXPECT_TRUE(!factor || factor == 2) << size;
        }
    }
    const std::vector<unsigned char> unordered{2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(xsettingsInteger(unordered.data(), unordered.size(), "Xft/DPI"), std::nullopt);
}

}  // namespace
