// The settings that X11 desktops publish to every program (XSETTINGS), read
// from the bytes of the settings manager's _XSETTINGS_SETTINGS property:
// apart from the X server, so that any such bytes can be checked without one.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

// The integer setting of that name ("Gdk/WindowScalingFactor"), if the bytes
// hold it; none where they are not whole or not such a property.
std::optional<int> xsettingsInteger(const unsigned char* bytes, std::size_t size, std::string_view name);
