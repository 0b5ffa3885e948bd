// The browser's word that a lost WebGL context is back (the page itself
// asks for it back and says meanwhile why the picture is gone).
#include <emscripten/html5.h>

#include "platform/web/webgl.h"

namespace {

void (*whenRestored)() = nullptr;

EM_BOOL onRestored(int /*eventType*/, const void* /*reserved*/, void* /*userData*/) {
    whenRestored();
    return EM_FALSE;
}

}  // namespace

void followGraphicsContext(void (*restored)()) {
    whenRestored = restored;
    emscripten_set_webglcontextrestored_callback("#canvas", nullptr, EM_FALSE, onRestored);
}
