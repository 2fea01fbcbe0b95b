"""The program's page (heatball.html) in a browser, as the web tests look at
it: where its canvas and panel are, pictures of them, the counter read off
the page, and what a picture of the model shows (its outline against the
background, its red). Python's standard library; the browser is driven by
tests/support/chromium.py."""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import counter  # noqa: E402
import facts  # noqa: E402

CAPTION = "  Velmora - free distribution soft"
BACKGROUND = (26, 26, 26)   # the frame's clear colour
FACTS = facts.load()


def mul_div(a, b, c):
    """Windows' MulDiv of positive numbers: rounded half up."""
    return (a * b + c // 2) // c


class Box:
    def __init__(self, x, y, w, h):
        self.x, self.y, self.w, self.h = x, y, w, h

    def __repr__(self):
        return "%d x %d at (%d, %d)" % (self.w, self.h, self.x, self.y)


class ProgramPage:
    """The program's windows on an open page of a Chromium."""

    def __init__(self, browser):
        self.browser = browser

    def rect(self, selector):
        """The rectangle of the first element the selector finds, in CSS pixels
        of the page; None when there is none or it is not laid out."""
        r = self.browser.evaluate(
            "(() => { const e = document.querySelector(%r); if (!e || !e.getClientRects().length) return null;"
            " const r = e.getBoundingClientRect(); return [r.left, r.top, r.width, r.height]; })()" % selector)
        return Box(*r) if r else None

    def button(self, label):
        """The rectangle of the panel's shown button with this label."""
        r = self.browser.evaluate(
            "(() => { const e = [...document.querySelectorAll('.heat-client button')].find(e => e.textContent == %r"
            " && e.getClientRects().length); if (!e) return null;"
            " const r = e.getBoundingClientRect(); return [r.left, r.top, r.width, r.height]; })()" % label)
        return Box(*r) if r else None

    def canvas(self):
        return self.rect("canvas.heat-window")

    def panel_client(self):
        return self.rect("section.heat-dialog .heat-client")

    def shown(self):
        """Both windows are on the page and visible."""
        return self.browser.evaluate(
            "[...document.querySelectorAll('canvas.heat-window, section.heat-dialog')]"
            ".filter(e => getComputedStyle(e).visibility == 'visible').length == 2")

    def picture(self, box):
        """A screenshot of a box, taken when asked (the browser's next frame)."""
        return self.browser.screenshot(box.x, box.y, box.w, box.h)

    # ---- the counter ---------------------------------------------------------------------
    def look(self, x, y, w, h, vw=None, vh=None):
        """One look at the counter in the canvas's client box (x, y, w, h):
        (text, before, after), the wall-clock times around the screenshot."""
        left, top, bw, bh = counter.counter_box(x, y, w, h, vw, vh)
        left, top = max(0, left), max(0, top)
        scale = self.browser.scale
        before = time.time()
        picture = self.browser.screenshot(left, top, bw, bh)
        after = time.time()
        text = counter.read_counter(picture, (x - left) * scale, (y - top) * scale, w * scale, h * scale,
                                    (vw or w) * scale, (vh or h) * scale)
        return text, before, after

    def watch(self, since, **rules):
        """counter.watch of the canvas, looking at the page."""
        c = self.canvas()
        return counter.watch([int(c.x), int(c.y), int(c.w), int(c.h)], since, look=self.look, **rules)

    # ---- mouse ---------------------------------------------------------------------------
    def click(self, x, y, button="left"):
        held = 1 if button == "left" else 2
        self.browser.mouse("mouseMoved", x, y)
        self.browser.mouse("mousePressed", x, y, button=button, buttons=held, click_count=1)
        self.browser.mouse("mouseReleased", x, y, button=button, buttons=0, click_count=1)

    # ---- keys ----------------------------------------------------------------------------
    KEYS = {   # key, code, Windows' virtual key, text typed
        "Space": (" ", "Space", 0x20, " "), "Enter": ("Enter", "Enter", 0x0D, "\r"),
        "Tab": ("Tab", "Tab", 0x09, None), "Escape": ("Escape", "Escape", 0x1B, None),
        "F6": ("F6", "F6", 0x75, None), "Right": ("ArrowRight", "ArrowRight", 0x27, None),
        "PageUp": ("PageUp", "PageUp", 0x21, None), "PageDown": ("PageDown", "PageDown", 0x22, None),
    }

    def press(self, name, shift=False):
        """A key pressed and let go as the keyboard would, with Shift held if asked."""
        key, code, vk, text = self.KEYS[name]
        modifiers = 8 if shift else 0
        if shift:
            self.browser.key("rawKeyDown", "Shift", "ShiftLeft", key_code=0x10, modifiers=8)
        self.browser.key("keyDown" if text else "rawKeyDown", key, code, text=text, key_code=vk, modifiers=modifiers)
        self.browser.key("keyUp", key, code, key_code=vk, modifiers=modifiers)
        if shift:
            self.browser.key("keyUp", "Shift", "ShiftLeft", key_code=0x10)

    def focused(self):
        """What has the page's focus: "canvas", a button's label, or the tag's name."""
        return self.browser.evaluate(
            "(e => e.matches('canvas.heat-window') ? 'canvas' : e.tagName == 'BUTTON' ? e.textContent"
            " : e.tagName)(document.activeElement)")

    def drag(self, points, button="left"):
        """Presses at the first point, moves through the others, releases at the last."""
        held = 1 if button == "left" else 2
        (x, y), last = points[0], points[-1]
        self.browser.mouse("mouseMoved", x, y)
        self.browser.mouse("mousePressed", x, y, button=button, buttons=held, click_count=1)
        for px, py in points[1:]:   # a move that names no button is one without a button held
            self.browser.mouse("mouseMoved", px, py, button=button, buttons=held)
        self.browser.mouse("mouseReleased", last[0], last[1], button=button, buttons=0, click_count=1)


# ---- what a picture of the model shows ------------------------------------------------------
def near(colour, other, levels):
    return all(abs(a - b) <= levels for a, b in zip(colour, other))


def outline(picture, step=2):
    """Which of every step-th pixel (both ways) is the background: the
    model's outline against it."""
    rgb, width = picture.rgb, picture.width
    mask = bytearray()
    for y in range(0, picture.height, step):
        row = rgb[y * width * 3:(y + 1) * width * 3]
        for x in range(0, width * 3, 3 * step):
            mask.append(near(row[x:x + 3], BACKGROUND, 8))
    return bytes(mask)


def moved(a, b):
    """Outline pixels that differ between two outlines."""
    return sum(1 for p, q in zip(a, b) if p != q)


def model_pixels(picture, step=2):
    """Pixels that are not the background (the model, the cube, the counter)."""
    mask = outline(picture, step)
    return len(mask) - sum(mask)


def reds(picture, step=4):
    """Pixels in the red of the hottest boundary, lit or in shade, one in step x step."""
    rgb, width, count = picture.rgb, picture.width, 0
    for y in range(0, picture.height, step):
        for x in range(0, width, step):
            i = (y * width + x) * 3
            r, g, b = rgb[i], rgb[i + 1], rgb[i + 2]
            count += r > 90 and g < 0.4 * r and b < 0.4 * r
    return count


def uniform(picture):
    """The one colour of a picture, or None when it has several."""
    first = picture.rgb[:3]
    return tuple(first) if picture.rgb == first * (picture.width * picture.height) else None
