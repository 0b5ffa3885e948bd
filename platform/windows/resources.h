// The executable's resources, by the numbers the resource script and the
// program both use.
#pragma once

#define PLASMA_EXECUTABLE_ICON 1  // NOLINT(cppcoreguidelines-macro-usage): the resource compiler reads it too
