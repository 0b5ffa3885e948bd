// glColor3f for the browser's GL emulation, so that colours reach the
// screen as a desktop GL stores them. The emulation keeps each channel as a
// byte by cutting c × 255 down; a desktop GL forms c × 255 in single
// precision and rounds it to the nearest level, halves to even. The level is
// worked out here the desktop's way and handed on as its centre,
// (level + 0.5) / 255, which the emulation's cut brings to exactly it.
mergeInto(LibraryManager.library, {
  glColor3f__deps: ['glColor4f'],
  glColor3f: function(r, g, b) {
    function centre(c) {
      var scaled = Math.fround(Math.fround(Math.min(Math.max(c, 0), 1)) * 255);
      var level = Math.floor(scaled);
      var above = scaled - level;
      if (above > 0.5 || (above === 0.5 && level % 2 === 1)) level += 1;
      return (level + 0.5) / 255;
    }
    _glColor4f(centre(r), centre(g), centre(b), 1);
  },
});
