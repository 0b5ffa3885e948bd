// The page's word that WebGL would not compile or link the program's shaders,
// said in the picture's place as a missing WebGL is (page.html's
// Module.graphicsFailed). A lost context answers no to every question: that
// is no failure, and the page says so in its own words.
mergeInto(LibraryManager.library, {
  showGraphicsFailure: function() {
    if (typeof GLctx !== 'undefined' && GLctx && GLctx.isContextLost()) return;
    if (Module.graphicsFailed) Module.graphicsFailed();
  },
});
