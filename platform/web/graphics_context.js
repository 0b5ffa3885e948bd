// Bringing the GL emulation back after the browser has given a lost WebGL
// context back. The emulation's objects in the context (its vertex buffers
// and the shader programs it made for the fixed-function pipeline) are gone
// with it: its caches of them are emptied, so that it makes them anew as it
// did the first time. What it keeps outside the context (the matrices, the
// current colour) and the program's own state carry on. These are the
// emulation's own names, as in the Emscripten the build uses.
mergeInto(LibraryManager.library, {
  restoreGraphics__deps: ['$GL', '$GLImmediate'],
  restoreGraphics__postset: "Module['restoreGraphics'] = _restoreGraphics;",
  restoreGraphics: function() {
    GLImmediate.rendererCache = GLImmediate.MapTreeLib.create();
    GLImmediate.lastRenderer = null;
    GLImmediate.lastArrayBuffer = null;
    GLImmediate.lastProgram = null;
    GLImmediate.lastStride = -1;
    GLImmediate.fixedFunctionProgram = 0;
    GLImmediate.matricesModified = true;
    GL.generateTempBuffers(true, GL.currentContext);
  },
});
