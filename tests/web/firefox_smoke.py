#!/usr/bin/env python3
"""The single file heatball.html opened from disk in Debian's Firefox ESR
(tests/support/firefox.py; on the X display of $DISPLAY, where Mesa draws
its WebGL): the page's title, the picture and the panel painted, and the
counter counting seconds, read off the page.

usage: firefox_smoke.py PAGE FIREFOX
Exit code 0 when every check passed."""
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import program_page as pp  # noqa: E402
from firefox import Firefox, FirefoxError  # noqa: E402


def main(argv):
    if len(argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    failed = []

    def check(what, passed):
        print(("ok   - " if passed else "FAIL - ") + what)
        if not passed:
            failed.append(what)

    try:
        with Firefox(argv[2]) as browser:
            page = pp.ProgramPage(browser)
            launched = time.time()
            browser.open("file://" + os.path.abspath(argv[1]))
            check("Firefox %s" % browser.evaluate("navigator.userAgent.split(' ').pop()") + " shows both windows",
                  bool(browser.wait_for("document.querySelectorAll('canvas.heat-window, section.heat-dialog').length == 2"
                                        " && [...document.querySelectorAll('canvas.heat-window, section.heat-dialog')]"
                                        ".every(e => getComputedStyle(e).visibility == 'visible')")))
            check("the page's title is the main window's caption",
                  browser.evaluate("document.querySelector('title').textContent") == pp.CAPTION)
            canvas, client = page.canvas(), page.panel_client()

            def painted():
                legend = browser.screenshot(client.x + 85, client.y + 3, 1, 1).pixel(0, 0)
                centre = browser.screenshot(canvas.x + canvas.w // 2, canvas.y + canvas.h // 2, 1, 1).pixel(0, 0)
                return legend == (247, 6, 5) and centre != pp.BACKGROUND
            until = time.monotonic() + 60
            while not painted() and time.monotonic() < until:
                time.sleep(0.5)
            check("the picture and the legend are painted", painted())
            # counting: two seconds more than it first showed
            first = None
            while first is None and time.monotonic() < until + 60:
                text = page.look(int(canvas.x), int(canvas.y), int(canvas.w), int(canvas.h))[0]
                first = None if "?" in text else int(text)
            w = page.watch(launched, until=(first or 0) + 2)
            check("the counter counts the seconds: %s%s" % (w.story(), "".join("; " + f for f in w.faults)),
                  not w.faults)
    except FirefoxError as error:
        check(str(error), False)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
