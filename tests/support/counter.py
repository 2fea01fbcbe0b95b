#!/usr/bin/env python3
"""Reads the elapsed-seconds counter off a screenshot of the running program:
its three cells, each recognised from the stroke glyphs the program draws.
Python's standard library only; ImageMagick (magick or convert) for files not in PPM.

The glyphs, where the counter is drawn in eye coordinates and the frustum that
projects it are the program's own, as the build wrote them (facts.py:
HEAT_FACTS names the file). The frustum's half width is its half height
times a = width / height of the viewport; the viewport is the window's stored
size, anchored at the lower left corner of the client area (so under a window
manager it may reach above the client area). A cell is read as the one glyph whose strokes are all inked
and whose surroundings carry no ink; anything else (a cube edge across half a
stroke, the disc behind the counter, an empty cell) reads "?".

usage: counter.py PICTURE X Y W H [VW VH]
       counter.py --watch --since T [--before P] [--until N | --seconds S]
                  [--deadline D] X Y W H [VW VH]
  PICTURE   a screenshot (PPM, or anything ImageMagick reads); X Y W H: the main
            window's client area in the picture's pixels (for --watch, on the
            screen of $DISPLAY); VW VH: the viewport size when it differs from
            the client area's.
The first form prints the three cells ("012", "0?7"); exit code 0 when all
three were read, 1 when one was not. --watch looks at the screen again and
again and judges the readings against the clock (see Watch): T is when the
run began or a restart was asked for (seconds since the epoch, date +%s.%N),
P what the counter showed before that restart; it prints what it read and
when, and exits 1 when a reading broke a rule or N was not reached within D
seconds (default 120). Exit code 2: a usage error."""
import math
import os
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import facts  # noqa: E402

_facts = facts.load()
# Stroke points (u, v) of each digit on its 3 x 4 grid, in drawing order.
GLYPHS = {digit: [tuple(p) for p in points] for digit, points in enumerate(_facts['counter']['glyphs'])}
LEFT, BASELINE, UNIT, CELL_WIDTH = (_facts['counter'][k] for k in ('left', 'baseline', 'unit', 'cell_width'))
NEAR, HALF_HEIGHT, DEPTH = (_facts['camera'][k] for k in ('near', 'half_height', 'eye_distance'))

STEP = 0.25        # glyph units between the sample points along a stroke
OFF = 3.5          # pixels: a probe this far from every stroke of a glyph must be dark
SEGMENT_INKED = 0.6  # share of a stroke's points that must be inked


class Picture:
    """Width, height and the RGB bytes of a picture, top row first."""

    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb = width, height, rgb

    def pixel(self, x, y):
        if 0 <= x < self.width and 0 <= y < self.height:
            i = (y * self.width + x) * 3
            return self.rgb[i], self.rgb[i + 1], self.rgb[i + 2]
        return 0, 0, 0


def parse_ppm(data):
    """A binary PPM (P6, maximum 255) as a Picture."""
    fields, at = [], 0
    while len(fields) < 4:   # P6, width, height, maximum
        while data[at:at + 1].isspace():
            at += 1
        if data[at:at + 1] == b'#':
            while data[at:at + 1] not in (b'\n', b''):
                at += 1
            continue
        start = at
        while at < len(data) and not data[at:at + 1].isspace():
            at += 1
        fields.append(data[start:at])
    if fields[0] != b'P6' or fields[3] != b'255':
        raise ValueError('not an 8-bit binary PPM')
    width, height = int(fields[1]), int(fields[2])
    rgb = data[at + 1:at + 1 + width * height * 3]
    if len(rgb) != width * height * 3:
        raise ValueError('PPM shorter than its header says')
    return Picture(width, height, rgb)


def imagemagick():
    """ImageMagick 7's magick where it exists, else ImageMagick 6's convert."""
    return 'magick' if shutil.which('magick') else 'convert'


def load(path):
    with open(path, 'rb') as f:
        data = f.read()
    try:
        return parse_ppm(data)
    except (ValueError, IndexError):   # another format, or 16 bits a channel
        data = subprocess.run([imagemagick(), path, '-depth', '8', 'ppm:-'], check=True,
                              capture_output=True, timeout=60).stdout
        return parse_ppm(data)


def is_ink(r, g, b):
    """The counter's yellow-green (0.8, 0.9, 0.1), unlit and unfogged."""
    return r > 150 and g > 170 and b < 100 and abs(r - g) < 70


class Placement:
    """Where eye coordinates at the counter's depth fall in the picture."""

    def __init__(self, x, y, w, h, vw=None, vh=None):
        self.left, self.bottom = x, y + h   # the viewport's lower-left corner
        self.vw, self.vh = vw or w, vh or h

    def to_picture(self, ex, ey):
        scale = NEAR / (DEPTH * HALF_HEIGHT)   # eye coordinates to normalised ones, up
        aspect = self.vw / self.vh
        gx = (ex * scale / aspect + 1.0) / 2.0 * self.vw   # window coordinates,
        gy = (ey * scale + 1.0) / 2.0 * self.vh            # y up from the bottom
        return self.left + gx, self.bottom - gy

    def pixels_per_unit(self):
        return UNIT * NEAR / (DEPTH * HALF_HEIGHT) * self.vh / 2.0   # the same across and up

    def glyph_point(self, cell, u, v):
        return self.to_picture(LEFT + UNIT * (CELL_WIDTH * cell + u), BASELINE + UNIT * v)


def _along(a, b):
    """Sample points from a to b, STEP glyph units apart, both ends included."""
    n = max(1, int(math.ceil(math.hypot(b[0] - a[0], b[1] - a[1]) / STEP)))
    return [(round(a[0] + (b[0] - a[0]) * k / n, 4), round(a[1] + (b[1] - a[1]) * k / n, 4)) for k in range(n + 1)]


def _segments(digit):
    points = GLYPHS[digit]
    return list(zip(points, points[1:]))


# Every point any glyph puts a stroke through: the places where ink is looked for.
PROBES = sorted({p for d in GLYPHS for a, b in _segments(d) for p in _along(a, b)})


def _distance(p, a, b):
    (px, py), (ax, ay), (bx, by) = p, a, b
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - ax - t * dx, py - ay - t * dy)


_layouts = {}


def _layout(pixels_per_unit):
    """For each digit: the probes of each of its strokes, and the probes that
    lie OFF pixels or more from all of its strokes (which must stay dark)."""
    key = round(pixels_per_unit, 3)
    if key not in _layouts:
        off = OFF / pixels_per_unit
        _layouts[key] = {
            digit: ([_along(a, b) for a, b in _segments(digit)],
                    [p for p in PROBES if min(_distance(p, a, b) for a, b in _segments(digit)) >= off])
            for digit in GLYPHS}
    return _layouts[key]


def inked(picture, x, y):
    """Ink at the pixel holding the point (x, y) or one of its eight neighbours."""
    cx, cy = int(math.floor(x)), int(math.floor(y))
    return any(is_ink(*picture.pixel(cx + dx, cy + dy)) for dx in (-1, 0, 1) for dy in (-1, 0, 1))


def read_cell(picture, placement, cell):
    """The digit shown in cell 0, 1 or 2 (hundreds, tens, units), or None."""
    ink = {p: inked(picture, *placement.glyph_point(cell, *p)) for p in PROBES}
    found = []
    for digit, (strokes, dark) in _layout(placement.pixels_per_unit()).items():
        if all(sum(ink[p] for p in points) >= SEGMENT_INKED * len(points) for points in strokes) \
                and not any(ink[p] for p in dark):
            found.append(digit)
    return found[0] if len(found) == 1 else None


def read_counter(picture, x, y, w, h, vw=None, vh=None):
    """The three cells as text, "?" for a cell that could not be read."""
    placement = Placement(x, y, w, h, vw, vh)
    cells = [read_cell(picture, placement, cell) for cell in range(3)]
    return ''.join('?' if d is None else str(d) for d in cells)


def counter_box(x, y, w, h, vw=None, vh=None, margin=6):
    """The counter's bounding box in the picture, with a margin: (x, y, w, h)."""
    placement = Placement(x, y, w, h, vw, vh)
    us = [u for points in GLYPHS.values() for u, _ in points]
    vs = [v for points in GLYPHS.values() for _, v in points]
    x0, y1 = placement.glyph_point(0, min(us), min(vs))
    x1, y0 = placement.glyph_point(2, max(us), max(vs))
    left, top = int(math.floor(x0)) - margin, int(math.floor(y0)) - margin
    return left, top, int(math.ceil(x1)) + margin - left, int(math.ceil(y1)) + margin - top


def look(x, y, w, h, vw=None, vh=None):
    """One look at the counter on the screen ($DISPLAY): (text, before, after),
    the times (seconds since the epoch) just before and after the picture."""
    import xgrab
    box = counter_box(x, y, w, h, vw, vh)
    picture, left, top, before, after = xgrab.grab(*box)
    return read_counter(picture, x - left, y - top, w, h, vw or w, vh or h), before, after


def value(text):
    return None if '?' in text else int(text)


class Watch:
    """Readings of the counter against the wall clock. The program's clock
    ticks at most every 50 ms and drops the ticks it misses, so a run that
    began after `since` shows at most floor(seconds since then + 0.05) at any
    moment (0.1 allowed); it never goes back. With `before`, a restart was
    asked for at `since` while the counter showed `before` or more: readings
    of at least `before` belong to the old run until the first lower one,
    which is the new run's; the new run cannot show `before` itself until
    `before` seconds have passed, so the restart must be seen by then."""

    def __init__(self, since, before=None):
        self.since, self.before = since, before
        self.readings = []      # (text, seconds after since: before, after)
        self.restarted = before is None
        self.latest = None      # the new run's latest value
        self.faults = []

    def add(self, text, before, after):
        t0, t1 = before - self.since, after - self.since
        self.readings.append((text, t0, t1))
        v = value(text)
        if v is None:
            return
        if not self.restarted:
            if v >= self.before:
                if t0 >= self.before - 0.1:
                    self.faults.append('read %03d at %.2f s: no restart seen within %d s of the press'
                                       % (v, t1, self.before))
                return
            self.restarted = True
        if v > math.floor(t1 + 0.1):
            self.faults.append('read %03d at %.2f s: more than the seconds since %s' % (
                v, t1, 'the press' if self.before is not None else 'the start'))
        if self.latest is not None and v < self.latest:
            self.faults.append('read %03d at %.2f s after %03d: the counter went back' % (v, t1, self.latest))
        self.latest = v if self.latest is None else max(v, self.latest)

    def story(self):
        """What was read and when, one entry per change of reading."""
        parts, last, unread = [], None, 0
        for text, t0, t1 in self.readings:
            if '?' in text:
                unread += 1
            if text != last:
                parts.append('%s at %.2f s' % (text, t1))
                last = text
        return 'read %s (%d looks, %d with a cell unread)' % (', '.join(parts) or 'nothing', len(self.readings), unread)


def watch(window, since, before=None, until=None, seconds=None, deadline=120.0, pause=0.05, look=look):
    """Looks at the counter of the window (x, y, w, h[, vw, vh]) again and
    again: for `seconds` (and, after a restart, until the new run shows), or
    until the new run shows `until` or more; `deadline` seconds at most.
    `look` takes a look (above: on the X screen; the browser's tests look at
    a page). Returns the Watch; its faults are empty when every reading kept
    the rules, a restart asked for was seen and `until` was reached."""
    w = Watch(since, before)
    start = time.time()
    while True:
        w.add(*look(*window))
        elapsed = time.time() - start
        if until is not None and w.restarted and w.latest is not None and w.latest >= until:
            break
        if seconds is not None and elapsed >= seconds and w.restarted:
            break
        if elapsed >= deadline or (not w.restarted and w.faults):
            break
        time.sleep(pause)
    if not w.restarted and not w.faults:
        w.faults.append('no restart seen in %.1f s' % (time.time() - since))
    if until is not None and (w.latest is None or w.latest < until) and not w.faults:
        w.faults.append('the counter did not reach %03d within %.0f s' % (until, deadline))
    return w


USAGE = """usage: counter.py PICTURE X Y W H [VW VH]
       counter.py --watch --since T [--before P] [--until N | --seconds S] [--deadline D] X Y W H [VW VH]"""


def main(argv):
    if len(argv) > 1 and argv[1] == '--watch':
        options, rest = {}, argv[2:]
        while rest and rest[0].startswith('--'):
            if len(rest) < 2:
                break
            options[rest[0][2:]], rest = float(rest[1]), rest[2:]
        if len(rest) not in (4, 6) or 'since' not in options or set(options) - {'since', 'before', 'until', 'seconds', 'deadline'}:
            print(USAGE, file=sys.stderr)
            return 2
        w = watch([int(a) for a in rest], options['since'],
                  before=int(options['before']) if 'before' in options else None,
                  until=int(options['until']) if 'until' in options else None,
                  seconds=options.get('seconds'), deadline=options.get('deadline', 120.0))
        print(w.story())
        for fault in w.faults:
            print('counter: ' + fault)
        return 1 if w.faults else 0
    if len(argv) not in (6, 8):
        print(USAGE, file=sys.stderr)
        return 2
    numbers = [int(a) for a in argv[2:]]
    text = read_counter(load(argv[1]), *numbers)
    print(text)
    return 0 if '?' not in text else 1


if __name__ == '__main__':
    sys.exit(main(sys.argv))
