#!/usr/bin/env python3
# The seeded page (seed 1's field) in headless Chromium, driven over its
# DevTools protocol: as a desktop's browser shows it (one device pixel per
# CSS pixel, a keyboard) and as a phone's does (3 device pixels per CSS
# pixel, real touch events), with screenshots, axe-core's accessibility
# rules, the page's WebGL context lost and given back, a WebGL that refuses
# its shaders, and scripts turned off. Every claim is checked; the status
# says whether any failed.
# Usage: page_test.py PICTURES PAGE ICON AXE   (AXE: axe-core's axe.min.js)
import base64
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts"))
from devtools import Chromium  # noqa: E402

sys.stdout.reconfigure(line_buffering=True)  # cut off by its time limit, it has still said what failed
pictures, page, icon, axe = sys.argv[1:5]
address = "file://" + os.path.realpath(page)
failures = 0


def expect(holds, claim):
    global failures
    if not holds:
        print("FAILED:", claim)
        failures += 1


# The page's frames, counted as it clears its canvas, once at the start of
# each; policy violations and layout shifts, counted from the start. Set up
# before the page's own scripts run: the test waits on frames, not on the clock.
WATCH = """window.clears = 0; window.refused = 0; window.shifted = 0; window.errors = 0;
  addEventListener('securitypolicyviolation', function () { refused++; });
  addEventListener('error', function () { errors++; });
  new PerformanceObserver(function (list) { list.getEntries().forEach(function (e) { shifted += e.value; }); })
    .observe({type: 'layout-shift', buffered: true});
  [window.WebGLRenderingContext, window.WebGL2RenderingContext].forEach(function (kind) {
    if (!kind) return;
    var clear = kind.prototype.clear;
    kind.prototype.clear = function () { clears++; return clear.apply(this, arguments); };
  });"""


def opened(scale, width, height, touch, before="", readers_style=False):  # a new tab on this screen, with the page open
    global send, evaluate
    send, evaluate = browser.send, browser.evaluate
    browser.new_tab()
    send("Page.setBypassCSP", enabled=readers_style)  # the reader's own style is not the page's to forbid
    send("Emulation.setDeviceMetricsOverride", width=width, height=height, deviceScaleFactor=scale, mobile=touch)
    send("Emulation.setTouchEmulationEnabled", enabled=touch, maxTouchPoints=5)
    send("Page.addScriptToEvaluateOnNewDocument", source=WATCH + before)
    send("Page.enable")
    send("Page.navigate", url=address)
    frames(1)


def until(holds, what, longest=60):  # waits for the condition, or ends saying what it waited for
    deadline = time.monotonic() + longest
    while not holds():
        if time.monotonic() > deadline:
            raise RuntimeError(f"waited {longest} s for {what}")
        time.sleep(0.02)


def frames(count):  # waits for the page's next COUNT frames
    end = cleared() + count
    until(lambda: cleared() >= end, f"{count} frames of the page")


def cleared():  # frames so far (none while a page is still loading)
    return evaluate("window.clears || 0")


# Where the picture and the keys are (CSS pixels), the visible area, what
# would scroll, and the channels the keys show as on ("r-b").
def layout():
    return evaluate("""(function (root, keys) {
      function box(element) { var r = element.getBoundingClientRect(); return [r.left, r.top, r.right, r.bottom]; }
      return {canvas: box(document.getElementById('canvas')), keys: keys.map(box), width: root.clientWidth,
              height: root.clientHeight, scrolls: [root.scrollWidth, root.scrollHeight],
              on: keys.map(function (key) { return key.getAttribute('aria-pressed') === 'true' ? key.id[0] : '-'; }).join('')};
    })(document.documentElement, ['red', 'green', 'blue'].map(function (name) {
      return document.getElementById(name + '-key'); }))""")


# The canvas as the screen shows it, and seed 1's picture with these
# channels as it must show, every point a square of whole device pixels of
# its colour: the picture cut out, each square taken once, is the oracle's
# picture, and taken back to full size, the same cut-out.
def shows(channels, scale, within=10):  # within that many frames
    picture = subprocess.run([pictures, "expect", "1", channels], capture_output=True, check=True).stdout
    end, seen, since = cleared() + within, -1, time.monotonic()
    while True:
        # The frames counted are the canvas's; the screen may show them later
        # on a busy machine: the last look begins once they are all drawn.
        count = cleared()
        seen, since = (count, time.monotonic()) if count != seen else (seen, since)
        last = count > end or time.monotonic() - since > 60  # a frame may take a minute
        left, top, right, bottom = (round(edge * scale) for edge in layout()["canvas"])
        side = right - left
        if side > 0 and side % 532 == 0 and bottom - top == side:
            png = base64.b64decode(send("Page.captureScreenshot", format="png")["data"])
            cut = ["/usr/bin/convert", "png:-", "-crop", f"{side}x{side}+{left}+{top}", "+repage"]
            points = subprocess.run(cut + ["-sample", "532x532", "-depth", "8", "rgb:-"], input=png, capture_output=True).stdout
            blocks = subprocess.run(cut + ["-sample", "532x532", "-sample", f"{side}x{side}", "-depth", "8", "rgb:-"],
                                    input=png, capture_output=True).stdout
            whole = subprocess.run(cut + ["-depth", "8", "rgb:-"], input=png, capture_output=True).stdout
            if points == picture and blocks == whole:
                return True
        if last:
            break
        time.sleep(0.05)
    print(f"waited {within} frames, a minute at most each, for the picture with channels {channels}")
    return False


def accessible():  # axe-core's rules, broken nowhere on the page
    evaluate(open(axe).read())
    broken = evaluate("axe.run(document).then(function (r) { return r.violations.map(function (v) { return v.id; }); })")
    expect(broken == [], f"axe-core: {broken}")


def switched(before, keys):  # the channels after the keys named have switched once
    return "".join("-" if letter in keys and on != "-" else letter if letter in keys else on
                   for letter, on in zip("rgb", before))


def steady(channels):  # after 2 frames (a press acts at a frame's end), the keys show these for 5 running
    frames(2)
    seen = {layout()["on"]}
    for _ in range(5):
        frames(1)
        seen.add(layout()["on"])
    return seen == {channels}


def key(kind, name, code, text=""):  # a key pressed and let go of
    for event in ("keyDown", "keyUp"):
        send("Input.dispatchKeyEvent", type=event, key=name, code=code, windowsVirtualKeyCode=kind, text=text)


try:
    # A desktop: the picture is the desktop's, pixel for pixel; the keys are
    # reached with Tab from the page's opening and pressed with Enter and
    # Space, each switching its channel once; the letters act while the
    # viewer has the focus, and only then; nothing moves after the start.
    browser = Chromium()
    opened(1, 1280, 800, False)
    expect(shows("rgb", 1), "desktop: seed 1's field, one device pixel per point")
    accessible()
    on = "rgb"
    for name in ("red", "green", "blue"):
        key(9, "Tab", "Tab")
        expect(evaluate("document.activeElement.id") == name + "-key", f"Tab reaches {name}'s key")
        for press in ((13, "Enter", "Enter", "\r"), (32, " ", "Space", " ")):
            key(*press)
            on = switched(on, name[0])
            expect(steady(on), f"{press[1]} on {name}'s key switches it once ({on})")
    key(82, "r", "KeyR", "r")
    expect(steady(switched(on, "r")), "R switches red while the viewer has the focus")
    evaluate("document.activeElement.blur()")
    key(82, "r", "KeyR", "r")
    expect(steady(switched(on, "r")), "R does nothing once the focus has left the viewer")
    expect(evaluate("shifted") == 0, f"nothing moved after the start: layout shift {evaluate('shifted')}")
    expect(evaluate("refused") == 0, "the page broke its policy")

    # Scripts turned off: a sentence in the picture's place, and no image announced.
    browser.new_tab()
    send("Emulation.setScriptExecutionDisabled", value=True)
    send("Page.navigate", url=address)
    until(lambda: evaluate("document.readyState") == "complete", "the page with scripts off")  # no frames to wait on
    roles = [node["role"]["value"] for node in send("Accessibility.getFullAXTree")["nodes"]]
    expect("needs JavaScript" in evaluate("document.body.innerText") and "image" not in roles, "no scripts: a sentence")

    # A WebGL that will not compile the page's shaders: the page says so in
    # the picture's place, and still says so after many whole frames have
    # been dropped, rather than failing some other way later.
    opened(1, 1280, 800, False, """[window.WebGLRenderingContext, window.WebGL2RenderingContext].forEach(function (kind) {
        if (!kind) return;
        var parameter = kind.prototype.getShaderParameter;
        kind.prototype.getShaderParameter = function (shader, name) {
          return name === this.COMPILE_STATUS ? false : parameter.apply(this, arguments); };
      });
      window.shown = 0;  // times the picture took the sentence's place again
      addEventListener('DOMContentLoaded', () => { const canvas = document.getElementById('canvas');
        new MutationObserver(() => shown += !canvas.hidden).observe(canvas, {attributeFilter: ['hidden']}); });""")
    frames(10)
    lose = "(window.graphics = document.getElementById('canvas').getContext('webgl').getExtension('WEBGL_lose_context'))"
    evaluate(lose + ".loseContext()")
    frames(2)
    evaluate("graphics.restoreContext()")
    frames(4)
    said = evaluate("document.getElementById('message').textContent")
    expect("did not accept its shaders" in said and evaluate("shown + errors") == 0,
           f"shaders refused: after 10 frames, and lost and given back, the page says so, throughout ({said!r})")

    # Narrow, with WCAG 1.4.12's text spacing: no text is cut, the picture and keys still on screen.
    opened(1, 320, 640, False, readers_style=True)
    evaluate("""document.head.appendChild(document.createElement('style')).textContent = '* { line-height: 1.5 !important;'
      + ' letter-spacing: 0.12em !important; word-spacing: 0.16em !important; } p { margin-bottom: 2em !important; }';""")
    frames(2)
    cut = evaluate("""[...document.querySelectorAll('h1, p, button')].filter(e => e.getClientRects().length &&
      e.scrollHeight > e.clientHeight).map(e => e.id || e.tagName)""")
    at = layout()
    expect(cut == [] and at["scrolls"] == [at["width"], at["height"]], f"320 x 640, spaced: cut {cut}, {at}")
    browser.close()

    # A phone (its emulated scale the screen's own, for a layout exact to the
    # device pixel): the picture fills the width, every point 2 × 2 device
    # pixels, the keys below it; turned, beside it.
    browser = Chromium("--force-device-scale-factor=3")
    opened(3, 360, 640, True)
    expect(evaluate("shifted") == 0, f"phone: nothing moved after the start: layout shift {evaluate('shifted')}")
    for width, height, angle in ((360, 640, 0), (640, 360, 90)):
        send("Emulation.setDeviceMetricsOverride", width=width, height=height, deviceScaleFactor=3, mobile=True,
             screenOrientation={"type": "landscapePrimary" if angle else "portraitPrimary", "angle": angle})
        expect(shows("rgb", 3), f"{width} x {height}: seed 1's field, every point a 2 × 2 square of its colour")
        at = layout()
        inside = lambda box: box[0] >= 0 and box[1] >= 0 and box[2] <= at["width"] and box[3] <= at["height"]
        apart = lambda a, b: a[2] <= b[0] or b[2] <= a[0] or a[3] <= b[1] or b[3] <= a[1]
        expect(inside(at["canvas"]) and at["scrolls"] == [at["width"], at["height"]] and
               all(inside(box) and apart(box, at["canvas"]) for box in at["keys"]) and
               round((at["canvas"][2] - at["canvas"][0]) * 3) == 2 * 532, f"{width} x {height}: all on screen: {at}")
    accessible()
    named = [(node["role"]["value"], node.get("name", {}).get("value", ""), node.get("properties", []))
             for node in send("Accessibility.getFullAXTree")["nodes"]]
    expect(any(role == "image" and "plasma fractal" in name for role, name, _ in named), "the picture is named")
    expect(sorted(name[:2] for role, name, properties in named if role == "button" and
                  {"name": "pressed", "value": {"type": "tristate", "value": "true"}} in properties) == ["B:", "G:", "R:"],
           f"three named keys, pressed: {named}")
    expect(evaluate("document.querySelector('link[rel=icon]').href") ==
           "data:image/png;base64," + base64.b64encode(open(icon, "rb").read()).decode(), "the tab shows the icon")

    def touch(kind, *fingers):  # (key letter, or (x, y); finger), ...
        boxes = layout()["keys"]
        centre = lambda box: ((box[0] + box[2]) / 2, (box[1] + box[3]) / 2)
        send("Input.dispatchTouchEvent", type=kind, touchPoints=[
            dict(zip("xy", centre(boxes["rgb".index(place)]) if isinstance(place, str) else place), id=finger)
            for place, finger in fingers])

    # A tap switches its key once when the finger is lifted, however long it
    # stayed; a finger slid off before it is lifted switches nothing; fingers
    # on two keys switch both.
    on = "rgb"
    for hold in (0.08, 0.3, 0.5, 1.0):
        touch("touchStart", ("r", 1))
        time.sleep(hold)  # the finger's time on the key, what is tested
        touch("touchEnd")
        on = switched(on, "r")
        expect(steady(on), f"a tap of {hold} s on R switches red once ({on})")
    left, top, right, bottom = layout()["keys"][1]
    across, up = (left + right) / 2, (top + bottom) / 2
    for way, place in (("right", [right + 2, up]), ("left", [left - 2, up]), ("up", [across, top - 2]),
                       ("down", [across, bottom + 2])):
        touch("touchStart", ("g", 2))
        touch("touchMove", (place, 2))
        touch("touchEnd")
        expect(steady(on), f"a finger slid off G to the {way} switches nothing ({on})")
    touch("touchStart", ("r", 3), ("b", 4))
    touch("touchEnd")
    on = switched(on, "rb")
    expect(steady(on) and shows(on, 3), f"fingers on R and B switch both ({on})")
    expect(evaluate("scrollX + scrollY === 0 && visualViewport.scale === 1 && getSelection().toString() === ''"),
           "no scrolling, zoom or selection from the keys")

    # Graphics taken away: a sentence instead of the picture; a key tapped
    # meanwhile counts; given back, the same field with the switches. Twice,
    # with other switches each time, so that what a restore must make anew
    # is not found by luck.
    evaluate(lose)
    for tapped in "bg":
        evaluate("graphics.loseContext()")
        frames(2)
        expect(evaluate("document.getElementById('canvas').getClientRects().length === 0") and
               "paused" in evaluate("document.getElementById('message').textContent"), "lost: a sentence, no picture")
        touch("touchStart", (tapped, 5))
        touch("touchEnd")
        frames(2)
        evaluate("graphics.restoreContext()")
        on = switched(on, tapped)
        expect(shows(on, 3), f"given back: the same field, with {tapped.upper()} tapped while lost ({on})")
    expect(evaluate("refused") == 0, "the page fetched nothing and ran nothing but its own")
finally:
    browser.close()

print("page: every claim holds" if failures == 0 else f"page: {failures} claims failed")
sys.exit(failures > 0)
