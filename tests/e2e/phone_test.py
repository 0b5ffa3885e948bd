#!/usr/bin/env python3
# The seeded page (seed 1's field) on a phone, in headless Chromium driven
# over its DevTools protocol: device emulation at 3 device pixels per CSS
# pixel, real touch events, screenshots, and the page's WebGL context lost
# and given back; then a WebGL that refuses its shaders. Every claim is
# checked; the status says whether any failed.
# Usage: phone_test.py PICTURES PAGE ICON
import base64
import os
import subprocess
import sys
import time

from devtools import Chromium

pictures, page, icon = sys.argv[1:4]
failures = 0


def expect(holds, claim):
    global failures
    if not holds:
        print("FAILED:", claim)
        failures += 1


# The emulated scale must be the screen's own for a layout exact to the device pixel.
browser = Chromium("--force-device-scale-factor=3")
send, evaluate = browser.send, browser.evaluate


def turn(width, height, angle):  # the phone held this way
    send("Emulation.setDeviceMetricsOverride", width=width, height=height, deviceScaleFactor=3, mobile=True,
         screenOrientation={"type": "landscapePrimary" if angle else "portraitPrimary", "angle": angle})


# Where the picture and the keys are (CSS pixels), the visible area, what
# would scroll, and the channels the keys show as on ("r-b").
def layout():
    return evaluate("""(function (root, keys) {
      function box(element) { var r = element.getBoundingClientRect(); return [r.left, r.top, r.right, r.bottom]; }
      return {canvas: box(document.getElementById('canvas')), keys: keys.map(box), width: root.clientWidth, height: root.clientHeight,
              scrolls: [root.scrollWidth, root.scrollHeight], on: keys.map(function (key) {
                return key.getAttribute('aria-pressed') === 'true' ? key.id[0] : '-'; }).join('')};
    })(document.documentElement, [document.getElementById('red-key'), document.getElementById('green-key'),
                                  document.getElementById('blue-key')])""")


# The page's frames, counted as it clears its canvas, once at the start of
# each (the counter is set up before the page's own script runs): the test
# waits on them rather than on the clock.
COUNT_FRAMES = """window.clears = 0;
  [window.WebGLRenderingContext, window.WebGL2RenderingContext].forEach(function (kind) {
    if (!kind) return;
    var clear = kind.prototype.clear;
    kind.prototype.clear = function () { clears++; return clear.apply(this, arguments); };
  });"""


def cleared():  # frames so far (none while a page is still loading)
    return evaluate("window.clears || 0")


def frames(count, longest=60):  # waits for the page's next COUNT frames
    end, deadline = cleared() + count, time.monotonic() + longest
    while cleared() < end:
        if time.monotonic() > deadline:
            raise RuntimeError(f"waited {longest} s for {count} frames of the page")
        time.sleep(0.02)


# The canvas as the screen shows it, row by row, and seed 1's picture with
# these channels as it must show: every canvas pixel a square of whole
# device pixels.
def shows(channels, within=5):  # within that many frames
    picture = subprocess.run([pictures, "expect", "1", channels], capture_output=True, check=True).stdout
    end = cleared() + within
    while cleared() <= end:
        at = layout()
        left, top, right, bottom = (round(edge * 3) for edge in at["canvas"]) if at else (0, 0, 0, 0)
        block = (right - left) // 532
        if block > 0 and right - left == bottom - top == 532 * block:
            png = base64.b64decode(send("Page.captureScreenshot", format="png")["data"])
            rgb = subprocess.run(["/usr/bin/convert", "png:-", "-depth", "8", "rgb:-"], input=png,
                                 capture_output=True).stdout
            width = at["width"] * 3
            if all(rgb[3 * ((top + y) * width + left):3 * ((top + y) * width + right)] ==
                   b"".join(picture[x:x + 3] * block for x in range(y // block * 1596, (y // block + 1) * 1596, 3))
                   for y in range(bottom - top)):
                return True
        time.sleep(0.05)
    print(f"waited {within} frames for the picture with channels {channels}")
    return False


# The whole picture and the three keys on screen, apart, nothing to scroll,
# every point 2 × 2 device pixels (as 360 CSS pixels allow).
def fits(where):
    at = layout()
    inside = lambda box: box[0] >= 0 and box[1] >= 0 and box[2] <= at["width"] and box[3] <= at["height"]
    apart = lambda a, b: a[2] <= b[0] or b[2] <= a[0] or a[3] <= b[1] or b[3] <= a[1]
    expect(inside(at["canvas"]) and at["scrolls"] == [at["width"], at["height"]], f"{where}: the picture on screen: {at}")
    expect(all(inside(key) and apart(key, at["canvas"]) for key in at["keys"]), f"{where}: the keys clear of it: {at}")
    expect(round((at["canvas"][2] - at["canvas"][0]) * 3) == 2 * 532, f"{where}: 2 device pixels per point: {at}")
    return at


def touch(kind, *fingers):  # (key letter or (x, y), id); touchEnd lists the fingers still down
    boxes = layout()["keys"]
    centre = lambda box: ((box[0] + box[2]) / 2, (box[1] + box[3]) / 2)
    send("Input.dispatchTouchEvent", type=kind, touchPoints=[
        dict(zip("xy", centre(boxes["rgb".index(place)]) if isinstance(place, str) else place), id=finger)
        for place, finger in fingers])


def tap(*keys, then=None, claim=""):  # and then shows these channels
    touch("touchStart", *((key, finger) for finger, key in enumerate(keys)))
    touch("touchEnd")
    if then:
        expect(shows(then), claim)


def flipped(channels, keys):
    return "".join((("-" if on != "-" else letter) if letter in keys else on)
                   for letter, on in zip("rgb", channels or "???"))


def steady():  # the channels the keys show, which must stay the same for 5 frames (a key left held blinks)
    seen = {layout()["on"]}
    for _ in range(5):
        frames(1)
        seen.add(layout()["on"])
    expect(len(seen) == 1, f"the keys hold still: they show {seen}")
    return seen.pop() if len(seen) == 1 else None


try:
    browser.new_tab()
    turn(360, 640, 0)
    send("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)
    # Anything the page tries to fetch breaks its policy: every refusal is counted.
    send("Page.addScriptToEvaluateOnNewDocument",
         source="window.refused = 0; addEventListener('securitypolicyviolation', function () { refused++; });")
    send("Page.addScriptToEvaluateOnNewDocument", source=COUNT_FRAMES)
    send("Page.enable")
    send("Page.navigate", url="file://" + os.path.realpath(page))

    # Portrait: the picture fills the width, the keys below; what a screen
    # reader and the tab show.
    frames(1)  # the first, at the page's own pace
    expect(shows("rgb"), "portrait: seed 1's field, every point a 2 × 2 square of its colour")
    fits("portrait")
    named = [(node["role"]["value"], node.get("name", {}).get("value", ""), node.get("properties", []))
             for node in send("Accessibility.getFullAXTree")["nodes"]]
    expect(any(role == "image" and "R, G and B" in name for role, name, _ in named), "the picture's text names the keys")
    expect(sorted(name[:2] for role, name, properties in named if role == "button" and
                  {"name": "pressed", "value": {"type": "tristate", "value": "true"}} in properties) == ["B:", "G:", "R:"],
           f"three named keys, pressed: {named}")
    expect(evaluate("document.querySelector('link[rel=icon]').href") ==
           "data:image/png;base64," + base64.b64encode(open(icon, "rb").read()).decode(), "the tab shows the icon")

    # Taps: R then B off, each exactly; then both at once, back on.
    tap("r", then="-gb", claim="a tap on R switches red off")
    tap("b", then="-g-", claim="a tap on B switches blue off")
    tap("r", "b", then="rgb", claim="R and B tapped together switch both back on")
    # Held, G blinks: its key shows each frame's flip.
    touch("touchStart", ("g", 7))
    flips, last = 0, None
    for _ in range(8):
        frames(1)
        now = layout()["on"]
        flips, last = flips + (last is not None and now != last), now
    touch("touchEnd")
    print(f"G held: {flips} flips in 8 frames")
    expect(flips >= 4, "G held blinks")
    frames(2)  # the poll after the release may still flip
    on = steady()
    expect(shows(on or "???"), f"after G held, the picture shows the switches ({on})")
    # Slid off R, whichever way, the finger lets go of it: one flip, then
    # nothing; off to the right it is on G, which it leaves alone.
    for way, (dx, dy) in (("up", (0, -1)), ("down", (0, 1)), ("left", (-1, 0)), ("right", (1, 0))):
        left, top, right, bottom = layout()["keys"][0]
        off = [(left + right) / 2 + dx * ((right - left) / 2 + 2), (top + bottom) / 2 + dy * ((bottom - top) / 2 + 2)]
        touch("touchStart", ("r", 8))
        touch("touchMove", (off, 8))
        frames(2)
        after = steady()
        touch("touchEnd")
        expect(after == flipped(on, "r"), f"a finger slid off R {way} flips red once ({on}, then {after})")
        on = after
    expect(evaluate("scrollX + scrollY === 0 && visualViewport.scale === 1 && getSelection().toString() === ''"),
           "no scrolling, zoom or selection from the keys")

    # Turned to landscape: the keys beside the picture, as large as before.
    turn(640, 360, 90)
    expect(shows(flipped(after, "")), "landscape: the same field and switches")
    at = fits("landscape")
    expect(at["keys"][0][0] >= at["canvas"][2], "landscape: the keys beside the picture")

    # Graphics taken away: a sentence instead of the picture; a key pressed
    # meanwhile counts; given back, the same field with the switches. Twice,
    # on two screens and with other switches, so that what a restore must
    # make anew is not found by luck.
    evaluate("window.graphics = document.getElementById('canvas').getContext('webgl').getExtension('WEBGL_lose_context')")
    for where, key in (("landscape", "b"), ("portrait", "r")):
        if where == "portrait":
            turn(360, 640, 0)
        evaluate("graphics.loseContext()")
        frames(2)
        expect(evaluate("document.getElementById('canvas').getClientRects().length === 0") and
               "paused" in evaluate("document.getElementById('message').textContent"), f"{where}, lost: a sentence, no picture")
        tap(key)
        frames(2)
        evaluate("graphics.restoreContext()")
        after = flipped(after, key)
        expect(shows(after), f"{where}, given back: the same field, with {key.upper()} pressed while lost ({after})")
    tap("g", then=flipped(after, "g"), claim="and G still works")
    expect(evaluate("refused") == 0, "the page fetched nothing")

    # A WebGL that will not compile the page's shaders: the page says so in
    # the picture's place, and still says so after many whole frames have
    # been dropped, rather than failing some other way later.
    browser.new_tab()
    send("Page.addScriptToEvaluateOnNewDocument", source=COUNT_FRAMES + """
      [window.WebGLRenderingContext, window.WebGL2RenderingContext].forEach(function (kind) {
        if (!kind) return;
        var parameter = kind.prototype.getShaderParameter;
        kind.prototype.getShaderParameter = function (shader, name) {
          return name === this.COMPILE_STATUS ? false : parameter.apply(this, arguments); };
      });""")
    send("Page.enable")
    send("Page.navigate", url="file://" + os.path.realpath(page))
    frames(10)
    said = evaluate("document.getElementById('message').textContent")
    expect("did not accept its shaders" in said and evaluate("document.getElementById('canvas').hidden"),
           f"shaders refused: after 10 frames the page says so ({said!r})")
finally:
    browser.close()

print("phone: every claim holds" if failures == 0 else f"phone: {failures} claims failed")
sys.exit(failures > 0)
