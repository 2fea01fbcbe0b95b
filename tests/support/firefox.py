"""Debian's Firefox ESR driven through Marionette, its remote protocol (JSON
commands over a local TCP connection, each message "LENGTH:JSON"), with
Python's standard library only. Firefox's headless mode has no WebGL, so
Firefox runs with a window on the X display of $DISPLAY (the tests' Xvfb,
tests/support/xvfb-run), where Mesa draws its WebGL. A new profile for each
start, removed at the end, whose preferences keep Firefox off the network.

    with Firefox() as browser:
        browser.open("file:///.../page.html")
        browser.evaluate("document.title")
        picture = browser.screenshot(10, 10, 100, 100)   # a counter.Picture

The same calls as chromium.py's where they overlap (open, evaluate,
wait_for, screenshot, scale), so that a test's page helpers serve both.
Every wait has a generous deadline; one that passes raises FirefoxError."""
import base64
import json
import os
import shutil
import socket
import subprocess
import tempfile
import time

import counter
from chromium import Browser, decode_png

# Nothing to fetch, update, report or try: the network is not there.
PREFERENCES = {
    "marionette.port": 0,   # a free port, written to the profile's MarionetteActivePort
    "app.update.disabledForTesting": True,
    "app.normandy.enabled": False,
    "app.shield.optoutstudies.enabled": False,
    "browser.shell.checkDefaultBrowser": False,
    "browser.startup.homepage_override.mstone": "ignore",
    "browser.aboutwelcome.enabled": False,
    "browser.region.update.enabled": False,
    "browser.region.network.url": "",
    "browser.safebrowsing.update.enabled": False,
    "browser.search.update": False,
    "datareporting.policy.dataSubmissionEnabled": False,
    "datareporting.healthreport.uploadEnabled": False,
    "extensions.update.enabled": False,
    "media.gmp-manager.updateEnabled": False,
    "messaging-system.rsexperimentloader.enabled": False,
    "network.captive-portal-service.enabled": False,
    "network.connectivity-service.enabled": False,
    "services.settings.server": "data:,#remote-settings-dummy/v1",
    "toolkit.telemetry.enabled": False,
}


class FirefoxError(Exception):
    pass


class Firefox(Browser):
    Error = FirefoxError

    def __init__(self, program="firefox-esr", width=1280, height=1024, deadline=120.0):
        self.deadline, self.scale = deadline, 1
        self.folder = tempfile.mkdtemp(prefix="heatball-firefox-")
        profile = os.path.join(self.folder, "profile")
        os.mkdir(profile)
        with open(os.path.join(profile, "user.js"), "w") as prefs:
            for name, value in PREFERENCES.items():
                prefs.write("user_pref(%s, %s);\n" % (json.dumps(name), json.dumps(value)))
        self.log = open(os.path.join(self.folder, "firefox.log"), "wb")
        self.process = subprocess.Popen(
            [program, "--marionette", "--no-remote", "--profile", profile, "about:blank"],
            stdin=subprocess.DEVNULL, stdout=self.log, stderr=self.log)
        self.next_id, self.buffer, self.connection = 0, b"", None
        port_file = os.path.join(profile, "MarionetteActivePort")
        until = time.monotonic() + deadline
        while not os.path.exists(port_file):
            if self.process.poll() is not None or time.monotonic() > until:
                raise FirefoxError("Firefox did not start its Marionette server" + self.log_tail())
            time.sleep(0.1)
        time.sleep(0.1)   # written, not only made
        with open(port_file) as f:
            port = int(f.read())
        self.connection = socket.create_connection(("127.0.0.1", port), timeout=deadline)
        self._message()   # the server's greeting
        self.send("WebDriver:NewSession", {"capabilities": {}})
        self.send("WebDriver:SetWindowRect", {"x": 0, "y": 0, "width": width, "height": height})

    def __enter__(self):
        return self

    def __exit__(self, *_):
        self.close()

    # ---- the protocol ---------------------------------------------------------------
    def _message(self):
        while b":" not in self.buffer:
            self._read()
        length, self.buffer = self.buffer.split(b":", 1)
        while len(self.buffer) < int(length):
            self._read()
        message, self.buffer = self.buffer[:int(length)], self.buffer[int(length):]
        return json.loads(message)

    def _read(self):
        try:
            chunk = self.connection.recv(1 << 20)
        except socket.timeout:
            raise FirefoxError("Firefox did not answer in time" + self.log_tail())
        if not chunk:
            raise FirefoxError("Firefox closed its connection" + self.log_tail())
        self.buffer += chunk

    def send(self, command, params=None):
        """A command's result ([1, id, error, result] answers [0, id, command, params])."""
        self.next_id += 1
        message = json.dumps([0, self.next_id, command, params or {}]).encode()
        self.connection.sendall(str(len(message)).encode() + b":" + message)
        while True:
            answer = self._message()
            if answer[0] == 1 and answer[1] == self.next_id:
                if answer[2]:
                    raise FirefoxError("%s: %s" % (command, answer[2].get("message", answer[2])))
                return answer[3]

    # ---- what a test does ---------------------------------------------------------------
    def open(self, url):
        """Navigates to the URL and waits for the page's load."""
        self.send("WebDriver:Navigate", {"url": url})

    def evaluate(self, expression):
        """The value of a JavaScript expression in the page."""
        return self.send("WebDriver:ExecuteScript", {"script": "return (%s);" % expression, "args": []})["value"]

    def screenshot(self, x=0, y=0, width=None, height=None):
        """A rectangle of the page's viewport (CSS pixels) as a counter.Picture."""
        whole = decode_png(base64.b64decode(self.send("WebDriver:TakeScreenshot", {"full": False})["value"]))
        width = whole.width - x if width is None else width
        height = whole.height - y if height is None else height
        x, y, width, height = int(x), int(y), int(width), int(height)
        rows = [whole.rgb[((y + j) * whole.width + x) * 3:((y + j) * whole.width + x + width) * 3]
                for j in range(height)]
        return counter.Picture(width, height, b"".join(rows))

    def close(self):
        if self.connection:
            try:
                self.send("Marionette:Quit", {"flags": ["eForceQuit"]})
            except (FirefoxError, OSError):
                pass
            self.connection.close()
        try:
            self.process.wait(timeout=20)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        self.log.close()
        shutil.rmtree(self.folder, ignore_errors=True)

    def log_tail(self, lines=10):
        """The end of what Firefox wrote on standard error."""
        self.log.flush()
        with open(os.path.join(self.folder, "firefox.log"), "rb") as log:
            return "".join("\n  firefox: " + line.decode(errors="replace")
                           for line in log.read().splitlines()[-lines:])
