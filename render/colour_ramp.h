// The fixed colour ramp from a height in [0, 1] to a colour.
#pragma once

struct Colour {
    float red;
    float green;
    float blue;
};

// Red peaks at 0.5, green dips to nothing at 0.3 and peaks at 0.8, blue is
// full at both ends and nothing at 0.5. Every channel is continuous.
Colour colourRamp(float v);
