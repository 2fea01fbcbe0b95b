#!/usr/bin/env python3
"""The browser's program as a user meets it: the single file heatball.html
opened from disk in headless Chromium, driven and looked at through the
DevTools protocol. Each check judges a picture taken after waiting for what
it expects; the counter is read off the page (counter.py) and judged by when
each picture was taken.

usage: heatball_page.py PAGE CHROMIUM [checks|keys|no-webgl|upright|high-density] [SHOTS]
  checks        (the default) the page's title, the square canvas and its
                background, the panel from its template (caption, place,
                legend, three buttons, nothing of the hidden controls), the
                counter counting seconds, the model turning, "1.0" restarting
                the count from 000 and ten seconds later the model red, a
                click in place stopping it, touch (a finger turns and spins
                it, a tap stops it, two fingers zoom), the right button's
                drag zooming, also outside the canvas, without a context menu
  keys          by keyboard alone: the picture has the keys from the start,
                Space stops and starts the spin, Right turns, Page Up zooms,
                Tab leads from the picture to the panel's buttons and round
                them, Shift+Tab back, Escape and F6 between picture and panel,
                Enter and Space restart the count, each press once
  no-webgl      a browser without WebGL: the program's "Error" box, which
                says so; OK ends the program with exit code 1
  upright       a tablet's upright viewport (768 x 1024): the canvas fits
                its width, the panel lies below it, and its buttons work
  high-density  at two device pixels to a CSS pixel: the canvas's buffer has
                twice the pixels and the picture is drawn at that resolution
                (the counter read off it, no pixel a blend of a magnified one);
                moved to a screen of one, the buffer and the picture follow
With SHOTS (a folder), checks only leaves the documentation's picture of the
page there (screenshot-browser.png, from ImageMagick's convert).
Exit code 0 when every check passed."""
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import program_page as pp  # noqa: E402
from chromium import Chromium, ChromiumError  # noqa: E402

WIDTH, HEIGHT = 1280, 1024
UPRIGHT = (768, 1024)   # a tablet held upright
failed = []


def ok(what):
    print("ok   - " + what)


def bad(what):
    print("FAIL - " + what)
    failed.append(what)


def expect(what, actual, expected):
    if actual == expected:
        ok(what)
    else:
        bad("%s: got %r, expected %r" % (what, actual, expected))


def wait_until(test, seconds=60.0, pause=0.2):
    """Looks again and again until test() is true; its last value."""
    until = time.monotonic() + seconds
    while True:
        value = test()
        if value or time.monotonic() > until:
            return value
        time.sleep(pause)


def lower(canvas):
    """The canvas below the counter: what the outline checks look at."""
    return pp.Box(canvas.x, canvas.y + 220, canvas.w, canvas.h - 220)


def turning(page, canvas, seconds=30.0):
    """Outline pixels moved between two pictures a second apart, looked at
    until they moved (a busy machine draws fewer frames)."""
    first = pp.outline(page.picture(lower(canvas)))
    until, n = time.monotonic() + seconds, 0
    while n < 50 and time.monotonic() < until:
        time.sleep(1)
        n = pp.moved(first, pp.outline(page.picture(lower(canvas))))
    return n


def still(page, canvas, seconds=30.0):
    """Whether the outline stood still for two seconds, within the time."""
    until = time.monotonic() + seconds
    while time.monotonic() < until:
        a = pp.outline(page.picture(lower(canvas)))
        time.sleep(1)
        b = pp.outline(page.picture(lower(canvas)))
        if pp.moved(a, b) == 0:
            time.sleep(2)
            return pp.moved(b, pp.outline(page.picture(lower(canvas)))) == 0
    return False


def open_page(browser, path):
    launched = time.time()
    browser.open("file://" + os.path.abspath(path))
    return launched


def started(browser, path):
    """The page opened: the ProgramPage and when it was opened, once both
    windows show (the page None when they do not within 60 s)."""
    page = pp.ProgramPage(browser)
    launched = open_page(browser, path)
    if not wait_until(page.shown):
        bad("the canvas and the panel appear within 60 s")
        return None, launched
    return page, launched


def report(what, watch):
    """A counter.watch judged: its story, and its faults when it has any."""
    (ok if not watch.faults else bad)("%s: %s%s" % (what, watch.story(), "".join("; " + f for f in watch.faults)))


def zoomed(what, page, canvas, before, factor):
    """Whether the model's pixels come to more (factor > 1) or fewer than
    factor x before within 10 s, said."""
    def now():
        n = pp.model_pixels(page.picture(canvas))
        return n if (n > factor * before if factor > 1 else n < factor * before) else None
    time.sleep(0.5)
    after = wait_until(now, 10)
    (ok if after else bad)("%s (%s pixels of the model, %d before)" % (what, after or "not so many", before))


# ---- checks ----------------------------------------------------------------------------
def checks(browser, page_path, shots):
    page, launched = started(browser, page_path)
    if not page:
        return
    canvas, client = page.canvas(), page.panel_client()
    b = browser

    # the start picture, once both windows are painted
    def painted():
        panel = page.picture(client)
        centre = b.screenshot(int(canvas.x + canvas.w / 2), int(canvas.y + canvas.h / 2), 1, 1)
        return panel.pixel(85, 3) == (247, 6, 5) and centre.pixel(0, 0) != pp.BACKGROUND
    if not wait_until(painted):
        bad("the legend and the model are painted within 60 s")
    if shots:
        time.sleep(2)
        shot = browser.screenshot(0, 0, 1110, 840)
        ppm = os.path.join(shots, "screenshot-browser.ppm")
        with open(ppm, "wb") as out:
            out.write(b"P6\n%d %d\n255\n" % (shot.width, shot.height) + shot.rgb)
        subprocess.run(["convert", ppm, os.path.join(shots, "screenshot-browser.png")], check=True)
        os.remove(ppm)
        return

    # ---- the windows
    expect("the page's title is the main window's caption",
           b.evaluate("document.querySelector('title').textContent"), pp.CAPTION)
    viewport = b.evaluate("[innerWidth, innerHeight, devicePixelRatio]")
    side = int(viewport[1] * 0.8)
    expect("the canvas: a square of 0.8 x the viewport's height at (10, 10)",
           (canvas.x, canvas.y, canvas.w, canvas.h), (10, 10, side, side))
    expect("its drawing buffer at the device's pixel ratio",
           b.evaluate("[document.querySelector('canvas.heat-window').width,"
                      " document.querySelector('canvas.heat-window').height]"),
           [round(side * viewport[2])] * 2)
    panel = pp.FACTS["main_panel"]
    expect("the panel's caption", b.evaluate("document.querySelector('section.heat-dialog header span').textContent"),
           panel["caption"])
    # One set of base units gives the client's size and its place from the
    # canvas's corner (dialog units through MulDiv).
    units = [(bx, by) for bx in range(1, 40) for by in range(1, 60)
             if pp.mul_div(panel["width"], bx, 4) == client.w and pp.mul_div(panel["height"], by, 8) == client.h]
    if not units:
        bad("the panel's client area, %s, is no size of its template in any base units" % client)
        bx, by = 1, 1
    else:
        bx, by = units[0]
        expect("the panel's client area from its template, base units %d x %d" % (bx, by),
               (client.x, client.y), (canvas.x + pp.mul_div(panel["x"], bx, 4), canvas.y + pp.mul_div(panel["y"], by, 8)))

    # ---- the panel
    start = page.picture(client)
    expect("legend: red at the top of the bar", start.pixel(85, 3), (247, 6, 5))
    expect("legend: blue at its bottom", start.pixel(85, 198), (5, 5, 247))
    expect("legend: its grey field", start.pixel(10, 190), (192, 192, 192))
    buttons = b.evaluate("[...document.querySelectorAll('.heat-client button')]"
                         ".filter(e => e.getClientRects().length).map(e => e.textContent)")
    expect("three buttons shown, in order", buttons, [button["label"] for button in pp.FACTS["boundary_buttons"]])
    for button in pp.FACTS["boundary_buttons"]:
        box = page.button(button["label"]) or pp.Box(0, 0, 0, 0)
        want = (client.x + pp.mul_div(button["x"], bx, 4), client.y + pp.mul_div(button["y"], by, 8),
                pp.mul_div(button["width"], bx, 4), pp.mul_div(button["height"], by, 8))
        expect("button %s where its template puts it" % button["label"], (box.x, box.y, box.w, box.h), want)
    expect("the hidden controls are not on the page",
           b.evaluate("[...document.querySelectorAll('.heat-client > [hidden]')].filter(e => e.getClientRects().length).length"), 0)
    face = tuple(int(v) for v in b.evaluate(
        "getComputedStyle(document.querySelector('section.heat-dialog')).backgroundColor.match(/\\d+/g)")[:3])
    # where "w/o greens" and "equilibrium" lie hidden (in dialog units, clear of the shown controls)
    for name, (x, y, w, h) in (("w/o greens", (61, 77, 27, 6)), ("equilibrium", (88, 109, 38, 10))):
        area = b.screenshot(client.x + pp.mul_div(x, bx, 4), client.y + pp.mul_div(y, by, 8),
                            pp.mul_div(w, bx, 4), pp.mul_div(h, by, 8))
        expect("bare face where %s lies hidden" % name, pp.uniform(area), face)
    for selector, name in ((".heat-text", "the hint"), (".heat-icon", "the icon"), (".heat-group", "the group box")):
        box = page.rect(".heat-client %s:not([hidden])" % selector)
        shown = box and pp.uniform(b.screenshot(box.x, box.y, box.w, box.h)) is None
        ok("%s is drawn" % name) if shown else bad("%s is not drawn" % name)
    icon = page.rect(".heat-client .heat-icon")
    yellow = page.picture(icon) if icon else None
    if yellow and sum(1 for i in range(0, len(yellow.rgb), 3) if pp.near(yellow.rgb[i:i + 3], (255, 255, 0), 60)) >= 150:
        ok("the icon's yellow field")
    else:
        bad("the icon shows no yellow")

    # ---- the picture
    whole = page.picture(canvas)
    colours = {}
    for i in range(0, len(whole.rgb), 3 * 7):
        colours[whole.rgb[i:i + 3]] = colours.get(whole.rgb[i:i + 3], 0) + 1
    expect("the canvas's background", tuple(max(colours, key=colours.get)), pp.BACKGROUND)

    # ---- the counter counts seconds from the start
    report("the counter counts the seconds", page.watch(launched, until=5))
    n = turning(page, canvas)
    (ok if n >= 50 else bad)("the model turns by itself (%d outline pixels moved)" % n)
    reds_before = pp.reds(page.picture(canvas))

    # ---- "1.0": the counter back to 000, the model red ten seconds later
    hottest = max(pp.FACTS["boundary_buttons"], key=lambda button: button["temperature"])
    box = page.button(hottest["label"])
    pressed = time.time()
    page.click(box.x + box.w / 2, box.y + box.h / 2)
    report('after "%s" the counter starts again from 000' % hottest["label"], page.watch(pressed, before=5, seconds=3))
    w = page.watch(pressed, until=10)
    reds_after = pp.reds(page.picture(canvas))
    if not w.faults and reds_before < 20 and reds_after > 1500:
        ok("the model turned red (%d red pixels in a sixteenth at 2.3, %d after 10 s at %g)"
           % (reds_before, reds_after, hottest["temperature"]))
    else:
        bad("the model did not turn red (%d red pixels before, %d after; %s)" % (reds_before, reds_after, w.story()))

    # ---- a click in place stops the model
    page.click(canvas.x + 290, canvas.y + canvas.h - 70)
    (ok if still(page, canvas) else bad)("a click in place stops the model")

    # ---- touch: a finger turns the model and, lifted away, leaves it spinning; a tap stops it
    middle = (canvas.x + canvas.w / 2, canvas.y + canvas.h / 2)
    b.touch("touchStart", [middle])
    for step in range(1, 6):
        b.touch("touchMove", [(middle[0] + 25 * step, middle[1] + 10 * step)])
    b.touch("touchEnd", [])
    n = turning(page, canvas)
    (ok if n >= 50 else bad)("a finger's drag lifted away leaves the model spinning (%d outline pixels moved)" % n)
    b.touch("touchStart", [middle])
    b.touch("touchMove", [(middle[0] + 3, middle[1] - 2)])   # a finger is never quite still
    b.touch("touchEnd", [])
    (ok if still(page, canvas) else bad)("a tap stops the model")
    # two fingers moving down zoom out
    before = pp.model_pixels(page.picture(canvas))
    fingers = [(middle[0] - 60, middle[1] - 100), (middle[0] + 60, middle[1] - 100)]
    b.touch("touchStart", fingers)
    for step in range(1, 5):
        b.touch("touchMove", [(x, y + 30 * step) for x, y in fingers])
    b.touch("touchEnd", [])
    zoomed("two fingers moving down zoom out", page, canvas, before, 0.8)
    (ok if still(page, canvas) else bad)("and leave the model still")

    # ---- a hidden page draws nothing, and draws again when shown
    b.hide()
    hidden = wait_until(lambda: b.evaluate("document.hidden"), 10)
    frames = b.evaluate("HeatPage.frames")
    time.sleep(2)
    drawn = b.evaluate("HeatPage.frames") - frames
    (ok if hidden and drawn <= 1 else bad)("behind another tab the page draws no frames (%d in 2 s)" % drawn)
    b.hide(False)
    frames = b.evaluate("HeatPage.frames")
    again = wait_until(lambda: b.evaluate("HeatPage.frames") > frames + 5, 10)
    (ok if again else bad)("and draws again once it is in front")

    # ---- the right button's drag zooms, outside the canvas too, without a context menu
    # (pressed at the canvas's right edge, then moving up to the right of it)
    b.evaluate("window.menus = []; addEventListener('contextmenu', e => menus.push(e.defaultPrevented)); true")
    before = pp.model_pixels(page.picture(canvas))
    right, y = canvas.x + canvas.w, canvas.y + canvas.h - 300
    page.drag([(right - 5, y)] + [(right + 100, y - 20 * k) for k in range(1, 5)], button="right")
    zoomed("a right drag upwards, beside the canvas, zooms in", page, canvas, before, 1.3)
    menus = b.evaluate("menus")
    if menus and all(menus):
        ok("no context menu (the page's contextmenu event was refused)")
    else:
        bad("the right button asked for a context menu that was not refused: %r" % menus)


# ---- the keys ------------------------------------------------------------------------------
def keys(browser, page_path):
    page, launched = started(browser, page_path)
    if not page:
        return
    canvas = page.canvas()
    expect("the picture has the keyboard from the start", wait_until(lambda: page.focused() == "canvas", 10), True)
    page.press("Space")
    (ok if still(page, canvas) else bad)("Space stops the model")
    before = pp.outline(page.picture(lower(canvas)))
    page.press("Right")
    n = wait_until(lambda: pp.moved(before, pp.outline(page.picture(lower(canvas)))), 10)
    (ok if n and still(page, canvas) else bad)("Right turns it (%s outline pixels moved) and leaves it still" % n)
    before = pp.model_pixels(page.picture(canvas))
    for _ in range(3):
        page.press("PageUp")
    zoomed("Page Up zooms in", page, canvas, before, 1.3)
    page.press("Space")
    n = turning(page, canvas)
    (ok if n >= 50 else bad)("Space again sets it spinning (%d outline pixels moved)" % n)

    # from the picture to the panel's buttons, and round them
    walk = [("Tab", False, "0.4"), ("Tab", False, "0.75"), ("Tab", True, "0.4"), ("Tab", True, "1.0"),
            ("Escape", False, "canvas"), ("F6", False, "0.4"), ("F6", False, "canvas"), ("Tab", False, "0.4"),
            ("Tab", False, "0.75"), ("Tab", False, "1.0")]
    for name, shift, to in walk:
        page.press(name, shift)
        reached = wait_until(lambda: page.focused() == to, 10)
        expect("%s%s gives the keyboard to %s" % ("Shift+" if shift else "", name, to), bool(reached), True)
    # Enter and Space press the focused button once: the program's press, not the browser's as well
    browser.evaluate("window.clicks = 0; document.addEventListener('click', () => ++clicks, true); true")
    for name in ("Enter", "Space"):
        page.watch(launched, until=2)   # the counter at 002 or more before the press
        pressed = time.time()
        page.press(name)
        report('%s on "1.0" restarts the count' % name, page.watch(pressed, before=2, seconds=2))
    expect("and the browser pressed no button itself", browser.evaluate("clicks"), 0)


# ---- without WebGL ------------------------------------------------------------------------
def no_webgl(browser, page_path):
    open_page(browser, page_path)
    box = wait_until(lambda: browser.evaluate(
        "(() => { const d = document.querySelector('dialog.heat-box[open]'); return d &&"
        " [d.querySelector('header').textContent, d.querySelector('.heat-box-text').textContent,"
        " d.querySelector('button').textContent, d.matches(':modal')]; })()"))
    if not box:
        bad("the error box appears within 60 s")
        return
    caption, text, button, modal = box
    expect("the box's caption", caption, "Error")
    expect("the program's words first", text.split("\n")[0], "ChoosePixelFormat failed")
    sentences = [line for line in text.split("\n")[1:] if line]
    if len(sentences) == 1 and "WebGL turned off" in sentences[0]:
        ok("and one sentence saying that the browser has WebGL turned off: %r" % sentences[0])
    else:
        bad("no one sentence about WebGL after the program's words: %r" % text)
    expect("its button", button, "OK")
    expect("the box is modal", modal, True)
    expect("no picture behind it", browser.evaluate(
        "[...document.querySelectorAll('canvas.heat-window')].filter(e => getComputedStyle(e).visibility == 'visible').length"), 0)
    page = pp.ProgramPage(browser)
    button = page.rect("dialog.heat-box button")
    page.click(button.x + button.w / 2, button.y + button.h / 2)
    code = wait_until(lambda: browser.evaluate("document.body.dataset.exitCode"), 30)
    expect("OK ends the program with exit code 1", code, "1")
    expect("and the page says so",
           bool(browser.evaluate("(document.querySelector('.heat-ended') || {}).textContent")), True)


# ---- on an upright tablet's viewport --------------------------------------------------------------
def upright(browser, page_path):
    page, launched = started(browser, page_path)
    if not page:
        return
    canvas = page.canvas()
    side = int(browser.evaluate("innerWidth") * 0.8)
    expect("the canvas: a square of 0.8 x the viewport's width, the narrower side", (canvas.w, canvas.h), (side, side))
    panel = page.rect("section.heat-dialog")
    inside = panel.x >= 0 and panel.y >= 0 and panel.x + panel.w <= UPRIGHT[0] and panel.y + panel.h <= UPRIGHT[1]
    apart = panel.x >= canvas.x + canvas.w or panel.y >= canvas.y + canvas.h
    (ok if inside and apart else bad)("the panel, %s, lies on the viewport and off the canvas, %s" % (panel, canvas))
    page.watch(launched, until=3)   # the counter at 003 or more before the press
    box = page.button("1.0")
    pressed = time.time()
    page.click(box.x + box.w / 2, box.y + box.h / 2)
    report('its "1.0" restarts the count', page.watch(pressed, before=3, seconds=2))


# ---- at two device pixels to a CSS pixel -------------------------------------------------------
def high_density(browser, page_path):
    page, launched = started(browser, page_path)
    if not page:
        return
    canvas = page.canvas()
    size = browser.evaluate("(c => [c.width, c.height])(document.querySelector('canvas.heat-window'))")
    expect("the drawing buffer has twice the canvas's CSS pixels each way", size, [int(canvas.w) * 2, int(canvas.h) * 2])
    report("the counter reads off the picture at twice the pixels", page.watch(launched, until=2))
    # Drawn at the buffer's resolution without antialiasing, the counter's
    # strokes stand in their colour (give or take a level of the renderer's
    # rounding) straight on the background; a picture drawn at half and
    # magnified would blend them at every edge. A cube edge or an axis may
    # cross the box and touch a stroke at a few pixels, never along it.
    import counter
    box = counter.counter_box(int(canvas.x), int(canvas.y), int(canvas.w), int(canvas.h))
    picture = browser.screenshot(*box)
    w, h = picture.width, picture.height
    at = [tuple(picture.rgb[i:i + 3]) for i in range(0, len(picture.rgb), 3)]
    counts = {}
    for colour in at:
        counts[colour] = counts.get(colour, 0) + 1
    background = max(counts, key=counts.get)
    inks = {c: n for c, n in counts.items() if counter.is_ink(*c)}
    ink = max(inks, key=inks.get) if inks else None
    near = lambda a, b: b is not None and max(abs(p - q) for p, q in zip(a, b)) <= 3
    stroke = [near(c, ink) for c in at]
    edge = blended = 0   # pixels beside a stroke; of those, neither stroke nor background
    for y in range(h):
        for x in range(w):
            if stroke[y * w + x]:
                continue
            if any(0 <= i < w and 0 <= j < h and stroke[j * w + i]
                   for i, j in ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1))):
                edge += 1
                blended += not near(at[y * w + x], background)
    if edge and blended * 5 < edge:
        ok("the counter's strokes are drawn sharp: %d of the %d pixels beside them are neither stroke nor background"
           % (blended, edge))
    else:
        bad("the counter's strokes are blended into their background at %d of the %d pixels beside them: "
            "a magnified picture (colours and counts: %s)"
            % (blended, edge, sorted(counts.items(), key=lambda c: -c[1])[:12]))
    # The page moved to a screen of one device pixel to a CSS pixel: the
    # buffer follows, and the picture with it.
    browser.set_scale(1)
    size = wait_until(lambda: (lambda s: s if s[0] == int(canvas.w) else None)(browser.evaluate(
        "(c => [c.width, c.height])(document.querySelector('canvas.heat-window'))")), 10)
    expect("on a screen of one device pixel to a CSS pixel the buffer has the canvas's pixels", size,
           [int(canvas.w), int(canvas.h)])
    report("and the counter reads off the picture at those", page.watch(launched, seconds=2))


def main(argv):
    if len(argv) < 3 or len(argv) > 5:
        print(__doc__, file=sys.stderr)
        return 2
    page_path, program = argv[1], argv[2]
    mode = argv[3] if len(argv) > 3 else "checks"
    shots = argv[4] if len(argv) > 4 else None
    flags = ["--disable-webgl"] if mode == "no-webgl" else []
    scale = 2 if mode == "high-density" else 1
    width, height = UPRIGHT if mode == "upright" else (WIDTH, HEIGHT)
    try:
        with Chromium(program, width=width, height=height, flags=flags, scale=scale) as browser:
            try:
                {"checks": lambda: checks(browser, page_path, shots),
                 "no-webgl": lambda: no_webgl(browser, page_path),
                 "keys": lambda: keys(browser, page_path),
                 "upright": lambda: upright(browser, page_path),
                 "high-density": lambda: high_density(browser, page_path)}[mode]()
            finally:
                if failed and browser.console:
                    print("what the page said:\n  " + "\n  ".join(browser.console[-20:]))
    except ChromiumError as error:
        bad(str(error))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
