#!/usr/bin/env python3
# The seeded page (seed 1's field) on a phone, in headless Chromium driven
# over its DevTools protocol: device emulation at 3 device pixels per CSS
# pixel, real touch events, screenshots, and the page's WebGL context lost
# and given back. Every claim is checked; the status says whether any failed.
# Usage: phone_test.py PICTURES PAGE ICON
import base64
import fcntl
import json
import os
import select
import shutil
import subprocess
import sys
import tempfile
import time

pictures, page, icon = sys.argv[1:4]
failures = 0


def expect(holds, claim):
    global failures
    if not holds:
        print("FAILED:", claim)
        failures += 1


# Chromium reads the protocol's commands from descriptor 3 and answers on 4,
# each message a JSON text ended by a NUL byte.
profile = tempfile.mkdtemp()
high = lambda fd: fcntl.fcntl(fd, fcntl.F_DUPFD_CLOEXEC, 10)  # clear of 3 and 4
commands, to_browser = map(high, os.pipe())
from_browser, answers = map(high, os.pipe())
# The emulated scale below must be the screen's own for a layout exact to the device pixel.
browser = subprocess.Popen(
    ["chromium", "--headless", "--no-sandbox", "--no-first-run", "--disable-background-networking",
     "--disable-component-update", "--disable-sync", "--disable-quic", "--use-angle=swiftshader",
     "--enable-unsafe-swiftshader", "--force-device-scale-factor=3", "--remote-debugging-pipe",
     "--user-data-dir=" + profile], close_fds=False, preexec_fn=lambda: (os.dup2(commands, 3), os.dup2(answers, 4)),
    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
received, last_id, session = b"", 0, None


def send(method, **params):
    global received, last_id
    last_id += 1
    os.write(to_browser, json.dumps({"id": last_id, "method": method, "params": params,
                                     **({"sessionId": session} if session else {})}).encode() + b"\0")
    while True:  # events are dropped
        while b"\0" not in received:
            if not select.select([from_browser], [], [], 30)[0]:
                raise RuntimeError(f"waited 30 s for Chromium's answer to {method}")
            chunk = os.read(from_browser, 1 << 20)
            if not chunk:
                raise RuntimeError(f"Chromium ended while answering {method}")
            received += chunk
        text, received = received.split(b"\0", 1)
        answer = json.loads(text)
        if answer.get("id") == last_id:
            if "error" in answer:
                raise RuntimeError(f"{method}: {answer['error']}")
            return answer["result"]


def evaluate(expression):
    return send("Runtime.evaluate", expression=expression, returnByValue=True)["result"].get("value")


def turn(width, height, angle):  # the phone held this way
    send("Emulation.setDeviceMetricsOverride", width=width, height=height, deviceScaleFactor=3, mobile=True,
         screenOrientation={"type": "landscapePrimary" if angle else "portraitPrimary", "angle": angle})


LAYOUT = """(function () {
  function box(id) { var r = document.getElementById(id).getBoundingClientRect(); return [r.left, r.top, r.right, r.bottom]; }
  var root = document.documentElement, keys = ['red-key', 'green-key', 'blue-key'];
  return {canvas: box('canvas'), keys: keys.map(box), width: root.clientWidth, height: root.clientHeight,
          scrolls: [root.scrollWidth, root.scrollHeight],
          on: keys.map(function (id) { return document.getElementById(id).getAttribute('aria-pressed') === 'true' ? id[0] : '-'; }).join('')};
})()"""


def layout():
    return evaluate(LAYOUT)


# The canvas as it reaches the screen, one RGB triple per canvas pixel, if
# every canvas pixel shows as a uniform square of whole device pixels.
def shown():
    at = layout()
    if at is None:  # not loaded yet
        return None
    left, top, right, bottom = (round(edge * 3) for edge in at["canvas"])
    size = right - left
    if size == 0 or size % 532 or bottom - top != size:
        return None
    png = base64.b64decode(send("Page.captureScreenshot", format="png")["data"])
    rgb = subprocess.run(["/usr/bin/convert", "png:-", "-depth", "8", "rgb:-"], input=png, capture_output=True).stdout
    width, block = at["width"] * 3, size // 532
    rows = [rgb[3 * ((top + y) * width + left):3 * ((top + y) * width + right)] for y in range(size)]
    picture = bytearray()
    for y in range(0, size, block):
        if rows[y:y + block] != [rows[y]] * block:
            return None
        for x in range(0, 3 * size, 3 * block):
            if rows[y][x:x + 3 * block] != rows[y][x:x + 3] * block:
                return None
            picture += rows[y][x:x + 3]
    return bytes(picture)


def shows(channels, within=3.0):  # exactly seed 1's field with these channels, within the time given
    picture = subprocess.run([pictures, "expect", "1", channels], capture_output=True, check=True).stdout
    deadline = time.monotonic() + within
    while time.monotonic() < deadline:
        if shown() == picture:
            return True
        time.sleep(0.05)
    print(f"waited {within} s for the picture with channels {channels}")
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
    boxes, points = layout()["keys"], []
    for place, finger in fingers:
        if isinstance(place, str):
            left, top, right, bottom = boxes["rgb".index(place)]
            place = ((left + right) / 2, (top + bottom) / 2)
        points.append({"x": place[0], "y": place[1], "id": finger})
    send("Input.dispatchTouchEvent", type=kind, touchPoints=points)


def tap(*keys):
    touch("touchStart", *((key, finger) for finger, key in enumerate(keys)))
    touch("touchEnd")


def flipped(channels, keys):
    return "".join((("-" if on != "-" else letter) if letter in keys else on)
                   for letter, on in zip("rgb", channels or "???"))


def settled():  # the channels once the keys have shown the same for a second, within 5 s
    deadline = time.monotonic() + 5
    while time.monotonic() < deadline:
        first, end = layout()["on"], time.monotonic() + 1
        while time.monotonic() < end and layout()["on"] == first:
            time.sleep(0.05)
        if time.monotonic() >= end:
            return first
    print("waited 5 s for the switches to settle")
    return None


try:
    session = send("Target.attachToTarget", flatten=True,
                   targetId=send("Target.createTarget", url="about:blank")["targetId"])["sessionId"]
    turn(360, 640, 0)
    send("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)
    # Anything the page tries to fetch breaks its policy: every refusal is counted.
    send("Page.addScriptToEvaluateOnNewDocument",
         source="window.refused = 0; addEventListener('securitypolicyviolation', function () { refused++; });")
    send("Page.enable")
    send("Page.navigate", url="file://" + os.path.realpath(page))

    # Portrait: the picture fills the width, the keys below; what a screen
    # reader and the tab show.
    expect(shows("rgb", within=30), "portrait: seed 1's field, every point a 2 × 2 square of its colour")
    fits("portrait")
    nodes = [(node["role"]["value"], node.get("name", {}).get("value", ""), node.get("properties", []))
             for node in send("Accessibility.getFullAXTree")["nodes"]]
    pressed = {"name": "pressed", "value": {"type": "tristate", "value": "true"}}
    expect(any(role == "image" and "R, G and B" in name for role, name, _ in nodes), "the picture's text names the keys")
    expect(sorted(name[0] for role, name, properties in nodes if role == "button" and pressed in properties) ==
           ["B", "G", "R"], f"three named keys, pressed: {nodes}")
    expect(evaluate("document.querySelector('link[rel=icon]').href") ==
           "data:image/png;base64," + base64.b64encode(open(icon, "rb").read()).decode(), "the tab shows the icon")

    # Taps: R then B off, each exactly; then both at once, back on.
    tap("r")
    expect(shows("-gb"), "a tap on R switches red off")
    tap("b")
    expect(shows("-g-"), "a tap on B switches blue off")
    tap("r", "b")
    expect(shows("rgb"), "R and B tapped together switch both back on")
    # Held, G blinks: its key shows each frame's flip.
    touch("touchStart", ("g", 7))
    flips, last, end = 0, None, time.monotonic() + 3
    while time.monotonic() < end:
        now = layout()["on"]
        flips, last = flips + (last is not None and now != last), now
    touch("touchEnd")
    print(f"G held: {flips} flips in 3 s")
    expect(flips >= 8, "G held blinks")
    on = settled()
    expect(shows(on or "???"), f"after G held, the picture shows the switches ({on})")
    # Slid off R, the finger lets go of it: one flip, then nothing.
    touch("touchStart", ("r", 8))
    touch("touchMove", ((180, 200), 8))
    after = settled()
    touch("touchEnd")
    expect(after == flipped(on, "r"), f"a finger slid off R flips red once ({on}, then {after})")
    expect(evaluate("scrollX + scrollY === 0 && visualViewport.scale === 1 && getSelection().toString() === ''"),
           "no scrolling, zoom or selection from the keys")

    # Turned to landscape: the keys beside the picture, as large as before.
    turn(640, 360, 90)
    expect(shows(flipped(after, "")), "landscape: the same field and switches")
    at = fits("landscape")
    expect(at["keys"][0][0] >= at["canvas"][2], "landscape: the keys beside the picture")

    # Graphics taken away: a sentence instead of the picture; a key pressed
    # meanwhile counts; given back, the same field with the switches.
    evaluate("window.graphics = document.getElementById('canvas').getContext('webgl')"
             ".getExtension('WEBGL_lose_context'); graphics.loseContext()")
    time.sleep(0.5)
    expect(evaluate("document.getElementById('canvas').getClientRects().length === 0") and
           "paused" in evaluate("document.getElementById('message').textContent"), "lost: a sentence, no picture")
    tap("b")
    time.sleep(0.5)
    evaluate("graphics.restoreContext()")
    expect(shows(flipped(after, "b")), "given back: the same field, with B pressed while lost")
    tap("g")
    expect(shows(flipped(after, "bg")), "and G still works")
    expect(evaluate("refused") == 0, "the page fetched nothing")
finally:
    browser.kill()
    browser.wait()
    shutil.rmtree(profile, ignore_errors=True)

print("phone: every claim holds" if failures == 0 else f"phone: {failures} claims failed")
sys.exit(failures > 0)
