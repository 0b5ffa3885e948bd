// The page's on-screen keys show whether each channel is on: a key is
// pressed (aria-pressed, which its style follows) while its channel is on.
mergeInto(LibraryManager.library, {
  showChannelsOnTouchKeys: function(red, green, blue) {
    [['red-key', red], ['green-key', green], ['blue-key', blue]].forEach(function(key) {
      var button = document.getElementById(key[0]);
      if (button) button.setAttribute('aria-pressed', key[1] ? 'true' : 'false');
    });
  },
});
