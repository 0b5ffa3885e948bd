// The page's word on the program's graphics: that WebGL would not compile or
// link the program's shaders, said in the picture's place as a missing
// WebGL is (page.html's Module.graphicsFailed); and that the first picture
// is drawn, from when it is announced as an image. A lost context answers
// no to every question: that is no failure, and the page says so in its
// own words.
mergeInto(LibraryManager.library, {
  showGraphicsFailure: function() {
    if (typeof GLctx !== 'undefined' && GLctx && GLctx.isContextLost()) return;
    if (Module.graphicsFailed) Module.graphicsFailed();
  },
  announcePicture: function() {
    var canvas = document.getElementById('canvas');
    canvas.setAttribute('role', 'img');
    canvas.setAttribute('aria-label', canvas.dataset.label);
    canvas.removeAttribute('aria-hidden');
  },
});
