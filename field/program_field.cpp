// The program's field, made once at start-up: a new one for each millisecond
// the program starts in, shown with every channel on.
#include "field/height_field.h"
#include "platform/clock.h"
#include "render/channel_switches.h"

namespace {

HeightField programField;

}  // namespace

const HeightField& heightField() { return programField; }

void generateField() {
    generateField(programField, tickCount());
    switchAllChannelsOn();
}
