// The page's keys on screen, made by the program from its table of channels:
// one button for each, pressed (aria-pressed, which its style follows) while
// its channel is on.
mergeInto(LibraryManager.library, {
  addScreenKey: function(element, letter, name, colour) {
    var keys = document.getElementById('keys');
    if (!keys) return;  // taken away: the page has said why the program cannot run
    var button = document.createElement('button');
    button.type = 'button';
    button.id = UTF8ToString(element).slice(1);
    button.textContent = String.fromCharCode(letter);
    button.dataset.channel = UTF8ToString(name);
    button.style.setProperty('--colour', UTF8ToString(colour));
    button.setAttribute('aria-label', button.textContent + ': ' + button.dataset.channel + ' channel');
    button.setAttribute('aria-pressed', 'true');  // as the first frame has them
    keys.appendChild(button);
  },
  showChannelOnScreenKey: function(element, on) {
    var button = document.querySelector(UTF8ToString(element));
    if (button) button.setAttribute('aria-pressed', on ? 'true' : 'false');
  },
});
