// A page fits its picture to the browser's window and device pixels itself
// (platform/web/page.html): the program always draws one pixel per point.
#include "platform/display.h"

// A page shares its display with no other program.
void tolerateOtherClients(const char* /*program*/) {}

DisplayReading readDisplay() { return {kStandardDotsPerInch, 0, 0, 0, 0}; }

void followDisplayChanges(void (* /*changed*/)()) {}
