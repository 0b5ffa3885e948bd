// A page's identity is its own: its title and the icon it carries.
#include "platform/identity.h"

void identifyWindow() {}
