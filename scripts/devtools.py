# Headless Chromium driven over its DevTools protocol through a pipe, for
# the page's test and its benchmark
# (--remote-debugging-pipe): each command a JSON text on descriptor 3, each
# answer on 4, ended by a NUL byte. Started as every script starts Chromium
# (scripts/chromium: software WebGL, quiet, with a private profile and
# temporary folder, removed when it is closed).
import fcntl
import json
import os
import select
import subprocess
import sys
import time

CHROMIUM = os.path.join(os.path.dirname(os.path.abspath(__file__)), "chromium")


class Chromium:
    def __init__(self, *options):
        high = lambda fd: fcntl.fcntl(fd, fcntl.F_DUPFD_CLOEXEC, 10)  # clear of 3 and 4
        commands, self.to_browser = map(high, os.pipe())
        self.from_browser, answers = map(high, os.pipe())
        self.process = subprocess.Popen(
            [CHROMIUM, "--headless", "--remote-debugging-pipe", *options],
            close_fds=False, preexec_fn=lambda: (os.dup2(commands, 3), os.dup2(answers, 4)),
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.received, self.last_id, self.session = b"", 0, None

    def send(self, method, **params):
        self.last_id += 1
        os.write(self.to_browser, json.dumps({"id": self.last_id, "method": method, "params": params,
                                              **({"sessionId": self.session} if self.session else {})}).encode() + b"\0")
        deadline = time.monotonic() + 60  # however many events come meanwhile
        while True:  # events are dropped
            while b"\0" not in self.received:
                if not select.select([self.from_browser], [], [], max(deadline - time.monotonic(), 0))[0]:
                    raise RuntimeError(f"waited 60 s for Chromium's answer to {method}")
                self.received += os.read(self.from_browser, 1 << 20) or sys.exit(f"Chromium ended while answering {method}")
            text, self.received = self.received.split(b"\0", 1)
            answer = json.loads(text)
            if answer.get("id") == self.last_id:
                return answer["result"] if "result" in answer else sys.exit(f"{method}: {answer['error']}")

    def evaluate(self, expression):  # its value, once a promise has settled
        return self.send("Runtime.evaluate", expression=expression, returnByValue=True,
                         awaitPromise=True)["result"].get("value")

    def new_tab(self):  # the commands from here on go to a new, blank tab; its id
        self.session = None
        target = self.send("Target.createTarget", url="about:blank")["targetId"]
        self.session = self.send("Target.attachToTarget", flatten=True, targetId=target)["sessionId"]
        return target

    def close(self):  # and its folders removed
        self.process.terminate()
        self.process.wait()
