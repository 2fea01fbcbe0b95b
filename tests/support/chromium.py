"""Debian's Chromium, headless, driven through the DevTools protocol over a
pipe (--remote-debugging-pipe: JSON messages ended by a NUL byte, commands
on the child's file descriptor 3, answers and events on its 4). Python's
standard library only.

WebGL comes from SwiftShader (--use-angle=swiftshader); the other flags keep
Chromium off the network and out of the user's profile: a new empty profile
folder for each start, removed at the end.

    with Chromium(width=819, height=819) as browser:
        browser.open("file:///.../page.html")
        browser.wait_for("window.pageState !== 'loading'")
        browser.evaluate("Module._DrawScene(0)")
        picture = browser.screenshot()        # a counter.Picture: width, height, rgb
        browser.mouse("mousePressed", 100, 200, button="left")

Every wait has a deadline (a generous one: a busy machine is slow, not
wrong); a deadline that passes, an exception in the page or Chromium ending
raises ChromiumError with what the page said on its console."""
import base64
import json
import os
import select
import shutil
import struct
import subprocess
import tempfile
import time
import zlib

import counter

FLAGS = [
    "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--use-angle=swiftshader", "--enable-unsafe-swiftshader", "--hide-scrollbars",
    "--remote-debugging-pipe",
]


class ChromiumError(Exception):
    pass


def decode_png(data):
    """Width, height and RGB bytes (top row first) of an 8-bit RGB or RGBA
    PNG without interlacing, as Chromium's screenshots are."""
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ChromiumError("not a PNG")
    position, idat, header = 8, [], None
    while position < len(data):
        length, kind = struct.unpack(">I4s", data[position:position + 8])
        body = data[position + 8:position + 8 + length]
        position += 12 + length
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat.append(body)
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in (2, 6) or interlace:
        raise ChromiumError(f"a PNG of depth {depth}, colour type {colour}, interlace {interlace}")
    channels = 3 if colour == 2 else 4
    raw = zlib.decompress(b"".join(idat))
    stride = width * channels
    previous = bytearray(stride)
    rows = []
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        if kind == 1:     # Sub
            for i in range(channels, stride):
                line[i] = (line[i] + line[i - channels]) & 0xFF
        elif kind == 2:   # Up
            line = bytearray((a + b) & 0xFF for a, b in zip(line, previous))
        elif kind == 3:   # Average
            for i in range(stride):
                left = line[i - channels] if i >= channels else 0
                line[i] = (line[i] + ((left + previous[i]) >> 1)) & 0xFF
        elif kind == 4:   # Paeth; at the left edge the predictor is the byte above
            for i in range(channels):
                line[i] = (line[i] + previous[i]) & 0xFF
            for i in range(channels, stride):
                left, up, upper_left = line[i - channels], previous[i], previous[i - channels]
                p = left + up - upper_left
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - upper_left)
                line[i] = (line[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else upper_left)) & 0xFF
        rows.append(line if channels == 3 else bytes(b for i, b in enumerate(line) if i % 4 != 3))
        previous = line
    rgb = b"".join(rows)
    return counter.Picture(width, height, bytes(rgb))


class Browser:
    """What a browser driver offers beside its protocol: waiting for the page
    (it has evaluate, deadline and its error class Error)."""

    def wait_for(self, expression, deadline=None, pause=0.05):
        """Evaluates the expression again and again until it is true; returns its value."""
        until = time.monotonic() + (deadline or self.deadline)
        while True:
            value = self.evaluate(expression)
            if value:
                return value
            if time.monotonic() > until:
                raise self.Error(f"still false after {deadline or self.deadline:.0f} s: {expression}" + self._said())
            time.sleep(pause)

    def _said(self):
        return ""


class Chromium(Browser):
    Error = ChromiumError

    def __init__(self, program="chromium", width=1024, height=768, deadline=120.0, flags=(), scale=1):
        """A page of width x height CSS pixels at scale device pixels each; flags
        go to Chromium beside its own (--disable-webgl, say)."""
        self.deadline = deadline
        self.width, self.height, self.scale = width, height, scale
        self.console = []       # what the page logged, and its exceptions
        self.events = []        # events not yet looked at
        self.next_id = 0
        self.session = None
        self.folder = tempfile.mkdtemp(prefix="heatball-chromium-")
        commands_read, self.commands = os.pipe()
        self.answers, answers_write = os.pipe()

        def as_fds_3_and_4():
            # Copies first: a pipe's own descriptor may be 3 or 4 already.
            read_copy, write_copy = os.dup(commands_read), os.dup(answers_write)
            os.dup2(read_copy, 3)
            os.dup2(write_copy, 4)

        self.log = open(os.path.join(self.folder, "chromium.log"), "wb")
        args = [program] + FLAGS + list(flags) + [f"--user-data-dir={self.folder}/profile",
                                    f"--window-size={width},{height}", "about:blank"]
        self.process = subprocess.Popen(args, stdin=subprocess.DEVNULL, stdout=self.log, stderr=self.log,
                                        preexec_fn=as_fds_3_and_4, pass_fds=(3, 4))
        os.close(commands_read)
        os.close(answers_write)
        self.buffer = b""
        self.target = self.send("Target.createTarget", {"url": "about:blank"}, browser=True)["targetId"]
        self.session = self.send("Target.attachToTarget", {"targetId": self.target, "flatten": True},
                                 browser=True)["sessionId"]
        self.other_tab = None
        self.send("Page.enable")
        self.send("Runtime.enable")
        self.send("Emulation.setDeviceMetricsOverride",
                  {"width": width, "height": height, "deviceScaleFactor": scale, "mobile": False})

    def __enter__(self):
        return self

    def __exit__(self, *_):
        self.close()

    def hide(self, hidden=True):
        """Another tab in front of the page (document.hidden), or the page in
        front again."""
        if hidden and not self.other_tab:
            self.other_tab = self.send("Target.createTarget", {"url": "about:blank"}, browser=True)["targetId"]
        self.send("Target.activateTarget", {"targetId": self.other_tab if hidden else self.target}, browser=True)

    def set_scale(self, scale):
        """Device pixels to a CSS pixel from now on, as on another screen."""
        self.scale = scale
        self.send("Emulation.setDeviceMetricsOverride",
                  {"width": self.width, "height": self.height, "deviceScaleFactor": scale, "mobile": False})

    # ---- the protocol ---------------------------------------------------------------
    def _message(self, until):
        """The next message from Chromium, waiting until the time `until`."""
        while b"\0" not in self.buffer:
            left = until - time.monotonic()
            if left <= 0 or not select.select([self.answers], [], [], left)[0]:
                raise ChromiumError("Chromium did not answer in time" + self._said())
            chunk = os.read(self.answers, 1 << 16)
            if not chunk:
                raise ChromiumError(f"Chromium ended (exit code {self.process.poll()})" + self._said())
            self.buffer += chunk
        message, self.buffer = self.buffer.split(b"\0", 1)
        return json.loads(message)

    def _note(self, event):
        method, params = event.get("method"), event.get("params", {})
        if method == "Runtime.consoleAPICalled":
            text = " ".join(str(a.get("value", a.get("description", ""))) for a in params.get("args", []))
            self.console.append(f"console.{params.get('type')}: {text}")
        elif method == "Runtime.exceptionThrown":
            details = params.get("exceptionDetails", {})
            self.console.append("exception: " + details.get("exception", {}).get("description", details.get("text", "")))
        self.events.append(event)

    def send(self, method, params=None, browser=False, deadline=None):
        """Sends a command to the page (or to the browser) and returns its result."""
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params or {}}
        if self.session and not browser:
            message["sessionId"] = self.session
        os.write(self.commands, json.dumps(message).encode() + b"\0")
        until = time.monotonic() + (deadline or self.deadline)
        while True:
            answer = self._message(until)
            if answer.get("id") == self.next_id:
                if "error" in answer:
                    raise ChromiumError(f"{method}: {answer['error'].get('message')}" + self._said())
                return answer.get("result", {})
            self._note(answer)

    def wait_event(self, method, deadline=None):
        """The next event of this kind (also one that came while waiting for an answer)."""
        until = time.monotonic() + (deadline or self.deadline)
        while True:
            for event in self.events:
                if event.get("method") == method:
                    self.events.remove(event)
                    return event.get("params", {})
            self._note(self._message(until))

    def _said(self):
        return "".join("\n  page: " + line for line in self.console[-20:])

    # ---- what a test does ---------------------------------------------------------------
    def open(self, url):
        """Navigates to the URL and waits for the page's load event."""
        self.events = [e for e in self.events if e.get("method") != "Page.loadEventFired"]
        self.send("Page.navigate", {"url": url})
        self.wait_event("Page.loadEventFired")

    def evaluate(self, expression, await_promise=False):
        """The value of a JavaScript expression in the page (a promise's, when awaited)."""
        result = self.send("Runtime.evaluate", {"expression": expression, "returnByValue": True,
                                                "awaitPromise": await_promise})
        if "exceptionDetails" in result:
            details = result["exceptionDetails"]
            raise ChromiumError(f"{expression}: " + details.get("exception", {}).get("description", details.get("text"))
                                + self._said())
        return result.get("result", {}).get("value")

    def next_frames(self, count=2):
        """Returns once the page has shown `count` more animation frames."""
        self.evaluate("new Promise(done => { let left = %d; const step = () => --left > 0 ? "
                      "requestAnimationFrame(step) : done(true); requestAnimationFrame(step); })" % count,
                      await_promise=True)

    def screenshot(self, x=0, y=0, width=None, height=None, steady=False):
        """The page's pixels in a rectangle of CSS pixels, as a counter.Picture
        of device pixels (scale of them to a CSS pixel); with steady, once two
        screenshots an animation frame apart agree."""
        clip = {"x": x, "y": y, "width": width or self.width, "height": height or self.height, "scale": 1}
        data = self.send("Page.captureScreenshot", {"format": "png", "clip": clip})["data"]
        until = time.monotonic() + self.deadline
        while steady:
            self.next_frames(1)
            again = self.send("Page.captureScreenshot", {"format": "png", "clip": clip})["data"]
            if again == data:
                break
            if time.monotonic() > until:
                raise ChromiumError(f"the page did not hold still for {self.deadline:.0f} s" + self._said())
            data = again
        return decode_png(base64.b64decode(data))

    def mouse(self, kind, x, y, button="none", buttons=0, click_count=0):
        """Input.dispatchMouseEvent: kind mousePressed, mouseReleased, mouseMoved or mouseWheel."""
        self.send("Input.dispatchMouseEvent", {"type": kind, "x": x, "y": y, "button": button,
                                               "buttons": buttons, "clickCount": click_count})

    def key(self, kind, key, code=None, text=None, key_code=0, modifiers=0):
        """Input.dispatchKeyEvent: kind keyDown, keyUp, rawKeyDown or char."""
        params = {"type": kind, "key": key, "code": code or key, "modifiers": modifiers,
                  "windowsVirtualKeyCode": key_code}
        if text is not None:
            params["text"] = text
        self.send("Input.dispatchKeyEvent", params)

    def touch(self, kind, points):
        """Input.dispatchTouchEvent: kind touchStart, touchMove, touchEnd or touchCancel;
        points a list of (x, y)."""
        self.send("Input.dispatchTouchEvent",
                  {"type": kind, "touchPoints": [{"x": x, "y": y, "id": i} for i, (x, y) in enumerate(points)]})

    def close(self):
        if self.process.poll() is None:
            try:
                self.send("Browser.close", browser=True, deadline=10)
            except (ChromiumError, OSError):
                pass
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        for fd in (self.commands, self.answers):
            try:
                os.close(fd)
            except OSError:
                pass
        self.log.close()
        shutil.rmtree(self.folder, ignore_errors=True)

    def log_tail(self, lines=20):
        """The end of what Chromium itself wrote on standard error."""
        with open(os.path.join(self.folder, "chromium.log"), "rb") as log:
            return b"\n".join(log.read().splitlines()[-lines:]).decode(errors="replace")
