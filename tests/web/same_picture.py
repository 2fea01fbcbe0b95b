#!/usr/bin/env python3
"""The same picture on the desktop and in the browser: every reference scene
(tests/support/reference_scenes.h) drawn by Mesa offscreen (render_snapshot)
and by the OpenGL layer in headless Chromium (the page frames.html, opened
from disk), compared pixel by pixel. A pixel differs when one of its
channels is more than 8 levels off; at most 0.2 % of a frame's pixels may.

usage: same_picture.py RENDER-SNAPSHOT FRAMES-PAGE CHROMIUM
Leaves in the working folder, for looking at: mesa-NAME.ppm, web-NAME.ppm
and differ-NAME.ppm (the differing pixels white on the Mesa frame darkened)."""
import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import counter  # noqa: E402
from chromium import Chromium, ChromiumError  # noqa: E402

SIZE = 819
LEVELS = 8
MOST = 0.2   # percent


def write_ppm(path, picture):
    with open(path, "wb") as out:
        out.write(b"P6\n%d %d\n255\n" % (picture.width, picture.height) + picture.rgb)


DARKER = bytes(level // 4 for level in range(256))


def differing(mesa, web):
    """The pixels more than LEVELS apart in a channel, and a picture of them."""
    count, shown, stride = 0, [], mesa.width * 3
    for y in range(mesa.height):
        a, b = mesa.rgb[y * stride:(y + 1) * stride], web.rgb[y * stride:(y + 1) * stride]
        row = bytearray(a.translate(DARKER))
        if a != b:
            apart = [abs(p - q) > LEVELS for p, q in zip(a, b)]
            for x in range(0, stride, 3):
                if apart[x] or apart[x + 1] or apart[x + 2]:
                    count += 1
                    row[x:x + 3] = b"\xff\xff\xff"
        shown.append(row)
    return count, counter.Picture(mesa.width, mesa.height, b"".join(shown))


def main(argv):
    if len(argv) != 4:
        print(__doc__, file=sys.stderr)
        return 2
    snapshot, page, chromium = argv[1:]
    subprocess.run([snapshot, "."], check=True)
    failures = []
    with Chromium(chromium, width=SIZE, height=SIZE) as browser:
        try:
            browser.open("file://" + os.path.abspath(page))
            state = browser.wait_for("window.pageState !== 'loading' && window.pageState")
            if state != "ready":
                print(f"FAIL - the page did not start: {state}" + browser._said())
                return 1
            names = browser.evaluate("window.sceneNames")
            print(f"comparing {len(names)} frames of {SIZE} x {SIZE}: Mesa's llvmpipe offscreen against "
                  f"the OpenGL layer in headless Chromium (SwiftShader); a pixel differs when a channel "
                  f"is more than {LEVELS} levels off")
            # OpenGL leaves open how a width of 2.5 (the grid's) rounds;
            # the layer is told what this machine's Mesa does.
            with open("line-width-2.5.txt") as probe:
                rows = int(probe.read())
            if rows not in (2, 3):
                print(f"FAIL - Mesa draws a line of width 2.5 {rows} pixels wide")
                return 1
            browser.evaluate(f"Module._RoundHalfLineWidthsUp({int(rows == 3)})")
            print(f"Mesa here draws a line of width 2.5 {rows} pixels wide (rounding "
                  f"{'half up' if rows == 3 else 'to even'}); the layer is told to do the same")
            for index, name in enumerate(names):
                browser.evaluate(f"Module._DrawScene({index})")
                browser.next_frames()
                web = browser.screenshot(0, 0, SIZE, SIZE, steady=True)
                mesa = counter.load(f"{name}.ppm")
                os.replace(f"{name}.ppm", f"mesa-{name}.ppm")
                write_ppm(f"web-{name}.ppm", web)
                count, shown = differing(mesa, web)
                write_ppm(f"differ-{name}.ppm", shown)
                share = 100.0 * count / (SIZE * SIZE)
                verdict = "ok  " if share <= MOST else "FAIL"
                print(f"{verdict} - {name}: {count} pixels differ ({share:.3f} %)")
                if share > MOST:
                    failures.append(name)
        except ChromiumError as error:
            print(f"FAIL - {error}")
            print(browser.log_tail())
            return 1
    if failures:
        print(f"FAIL - more than {MOST} % of the pixels differ in: {', '.join(failures)} "
              f"(see differ-*.ppm in {os.getcwd()})")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
