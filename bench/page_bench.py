#!/usr/bin/env python3
# The main thread's work per frame of pages, side by side, in headless
# Chromium at the viewer's own size (532 x 532, one device pixel per CSS
# pixel): DevTools' TaskDuration (all its tasks) and ScriptDuration (running
# JavaScript and WebAssembly), over the same number of the program's frames
# for each page, the pages in turn. Prints medians in ms per frame.
# Usage: page_bench.py ROUNDS PAGE...
import os
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "scripts"))
from devtools import Chromium  # noqa: E402

rounds, pages = int(sys.argv[1]), sys.argv[2:]
WARM_UP, FRAMES = 5, 25
# The program asks for each frame with requestAnimationFrame: counted.
COUNTER = ("window.framesAsked = 0; var ask = requestAnimationFrame.bind(window);"
           "window.requestAnimationFrame = function (callback) { framesAsked++; return ask(callback); };")


def measure(browser, page):
    tab = browser.new_tab()
    browser.send("Emulation.setDeviceMetricsOverride", width=532, height=532, deviceScaleFactor=1, mobile=False)
    browser.send("Page.addScriptToEvaluateOnNewDocument", source=COUNTER)
    browser.send("Page.enable")  # for the script above
    browser.send("Performance.enable")
    browser.send("Page.navigate", url="file://" + os.path.realpath(page))

    def after(frames):  # the frame count and the metrics once that many frames were asked for
        deadline = time.monotonic() + 60
        while (browser.evaluate("window.framesAsked") or 0) < frames:
            if time.monotonic() > deadline:
                sys.exit(f"waited 60 s for {frames} frames of {page}")
            time.sleep(0.25)
        metrics = {metric["name"]: metric["value"] for metric in browser.send("Performance.getMetrics")["metrics"]}
        return browser.evaluate("window.framesAsked"), metrics

    first, before = after(WARM_UP)
    last, then = after(first + FRAMES)
    browser.session = None
    browser.send("Target.closeTarget", targetId=tab)
    return [(then[name] - before[name]) * 1000 / (last - first) for name in ("TaskDuration", "ScriptDuration")]


browser = Chromium()
try:
    results = {page: [] for page in pages}
    for round in range(rounds):
        for turn in range(len(pages)):
            page = pages[(round + turn) % len(pages)]  # each goes first in turn
            results[page].append(measure(browser, page))
finally:
    browser.close()
print(f"{'ms per frame (median)':24} {'main thread':>12} {'script':>10}   page")
for page in pages:
    task, script = (statistics.median(run[i] for run in results[page]) for i in (0, 1))
    print(f"{'':24} {task:12.2f} {script:10.2f}   {page}")
print(f"({rounds} rounds of {FRAMES} frames after {WARM_UP}, each page in turn)")
