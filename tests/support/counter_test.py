#!/usr/bin/env python3
"""Tests of the screenshot counter reader (counter.py) on frames the program's
own drawing code rendered offscreen (tests/render/counter_frames.cpp).
usage: counter_test.py PATH/TO/counter_frames"""
import os
import random
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import counter  # noqa: E402

FRAMES = None      # folder of the rendered frames
WINDOW = (0, 0, 819, 819)   # the frames' client area: the whole 819 x 819 window


def frames(prefix):
    """(file name, number shown) of the frames whose names start with prefix."""
    names = sorted(n for n in os.listdir(FRAMES) if n.startswith(prefix))
    return [(n, int(re.search(r'(\d{3})\.ppm$', n).group(1))) for n in names]


def picture(name):
    return counter.load(os.path.join(FRAMES, name))


def right_or_unread(text, number):
    return all(c in ('?', e) for c, e in zip(text, '%03d' % number))


def draw_line(pic, a, b, colour, width):
    """A straight line from a to b, width pixels thick, painted over the picture."""
    rgb = bytearray(pic.rgb)
    steps = int(max(abs(b[0] - a[0]), abs(b[1] - a[1]))) + 1
    for k in range(steps + 1):
        x = a[0] + (b[0] - a[0]) * k / steps
        y = a[1] + (b[1] - a[1]) * k / steps
        for dx in range(width):
            for dy in range(width):
                px, py = int(x) + dx, int(y) + dy
                if 0 <= px < pic.width and 0 <= py < pic.height:
                    i = (py * pic.width + px) * 3
                    rgb[i:i + 3] = bytes(colour)
    return counter.Picture(pic.width, pic.height, bytes(rgb))


class Reading(unittest.TestCase):
    def test_every_digit_in_every_cell_is_read(self):
        clean = frames('clean-')
        self.assertEqual(len(clean), 10)
        shown = set()
        for name, number in clean:
            self.assertEqual(counter.read_counter(picture(name), *WINDOW), '%03d' % number, name)
            shown |= {(cell, d) for cell, d in enumerate('%03d' % number)}
        self.assertEqual(len(shown), 30)

    def test_what_crosses_the_counter_never_turns_one_digit_into_another(self):
        # Cube edges, the disc and the shell over the counter in random
        # orientations: a cell reads right or "?", and most cells still read.
        read = total = 0
        for name, number in frames('turned-'):
            text = counter.read_counter(picture(name), *WINDOW)
            self.assertTrue(right_or_unread(text, number), '%s read as %s' % (name, text))
            read += sum(c != '?' for c in text)
            total += 3
        self.assertGreater(read, total * 0.6, 'only %d of %d cells read' % (read, total))

    def test_lines_drawn_across_the_digits_give_the_right_digit_or_a_question_mark(self):
        # A cube edge (blue) takes ink away; a stray yellow stroke adds some.
        box = counter.counter_box(*WINDOW)
        rng = random.Random(7)
        for colour, width, at_least in (((0, 0, 230), 2, 0.5), ((0, 0, 230), 4, 0.3), ((204, 230, 26), 1, 0.0)):
            read = total = 0
            for name, number in frames('clean-'):
                pic = picture(name)
                for _ in range(12):
                    a = (box[0] + rng.uniform(-20, box[2] + 20), box[1] - 5)
                    b = (box[0] + rng.uniform(-20, box[2] + 20), box[1] + box[3] + 5)
                    if rng.random() < 0.5:   # some lines across rather than down
                        a = (box[0] - 5, box[1] + rng.uniform(0, box[3]))
                        b = (box[0] + box[2] + 5, box[1] + rng.uniform(0, box[3]))
                    text = counter.read_counter(draw_line(pic, a, b, colour, width), *WINDOW)
                    self.assertTrue(right_or_unread(text, number),
                                    '%s with a line %s-%s in %s read as %s' % (name, a, b, colour, text))
                    read += sum(c != '?' for c in text)
                    total += 3
            self.assertGreaterEqual(read, total * at_least, 'lines %s %d px: %d of %d read' % (colour, width, read, total))

    def test_a_blank_or_flooded_cell_reads_as_a_question_mark(self):
        pic = picture(frames('clean-')[0][0])
        blank = counter.Picture(pic.width, pic.height, bytes(len(pic.rgb)))
        self.assertEqual(counter.read_counter(blank, *WINDOW), '???')
        yellow = counter.Picture(pic.width, pic.height, bytes((204, 230, 26)) * (pic.width * pic.height))
        self.assertEqual(counter.read_counter(yellow, *WINDOW), '???')


class Placement(unittest.TestCase):
    def test_the_window_may_lie_anywhere_and_its_viewport_reach_above_its_client_area(self):
        # Under a window manager the client area is smaller than the stored
        # window size; the viewport keeps that size, anchored at the client
        # area's lower-left corner. Here the client is 819 x 790 at (40, 60), so
        # the viewport's top row is 29 rows above the client's.
        name, number = frames('clean-')[4]
        pic = picture(name)
        width, height, left, top = 900, 400, 40, 60 - 29
        rgb = bytearray(width * height * 3)
        for y in range(pic.height):
            row = pic.rgb[y * pic.width * 3:(y + 1) * pic.width * 3]
            at = ((top + y) * width + left) * 3
            rgb[at:at + len(row)] = row
        screen = counter.Picture(width, height, bytes(rgb))
        self.assertEqual(counter.read_counter(screen, 40, 60, 819, 790, 819, 819), '%03d' % number)
        # Taking the client area for the viewport misplaces the glyphs by 29
        # rows: nothing may then be read as some other digit.
        self.assertTrue(right_or_unread(counter.read_counter(screen, 40, 60, 819, 790), number))

    def test_counter_box_holds_every_stroke(self):
        x, y, w, h = counter.counter_box(*WINDOW)
        pic = picture(frames('clean-')[7][0])
        ink = [(px, py) for py in range(pic.height) for px in range(pic.width) if counter.is_ink(*pic.pixel(px, py))]
        self.assertTrue(ink)
        self.assertTrue(all(x <= px < x + w and y <= py < y + h for px, py in ink))


class Rules(unittest.TestCase):
    """The clock rules of Watch, on readings given as (text, after) with the
    picture taken 0.05 s before `after` (times in seconds after `since`)."""

    def faults(self, readings, before=None):
        w = counter.Watch(100.0, before)
        for text, after in readings:
            w.add(text, 100.0 + after - 0.05, 100.0 + after)
        return w.faults

    def test_a_counter_that_keeps_to_the_clock_passes(self):
        self.assertEqual(self.faults([('000', 0.3), ('0?0', 0.8), ('000', 0.9), ('001', 1.2), ('002', 2.0)]), [])
        # A restart at 7: the old run's readings first, then the new one's.
        self.assertEqual(self.faults([('007', 0.1), ('008', 0.6), ('000', 0.95), ('001', 1.3)], before=7), [])
        # The first new reading may come late on a busy machine.
        self.assertEqual(self.faults([('007', 0.1), ('002', 2.5)], before=7), [])

    def test_a_counter_ahead_of_the_clock_or_going_back_fails(self):
        self.assertEqual(len(self.faults([('000', 0.3), ('001', 0.7)])), 1)
        self.assertEqual(len(self.faults([('003', 2.0)])), 1)
        self.assertEqual(len(self.faults([('002', 2.5), ('001', 2.8)])), 1)
        # A restart that shows 001 at once did not start from 000.
        self.assertEqual(len(self.faults([('007', 0.1), ('001', 0.5)], before=7)), 1)

    def test_a_restart_must_show_before_the_new_run_could_reach_the_old_value(self):
        self.assertEqual(self.faults([('005', 1.0), ('006', 4.0)], before=5), [])
        self.assertEqual(len(self.faults([('005', 1.0), ('009', 5.2)], before=5)), 1)

    def test_the_story_names_each_reading_once_with_its_time(self):
        w = counter.Watch(100.0)
        for text, after in (('000', 0.42), ('000', 0.9), ('0?1', 1.2), ('001', 1.4)):
            w.add(text, 100.0 + after - 0.05, 100.0 + after)
        self.assertEqual(w.story(), 'read 000 at 0.42 s, 0?1 at 1.20 s, 001 at 1.40 s (4 looks, 1 with a cell unread)')


class Command(unittest.TestCase):
    def run_reader(self, path, *args):
        return subprocess.run([sys.executable, counter.__file__, path] + [str(a) for a in args],
                              capture_output=True, text=True, timeout=60)

    def test_prints_the_cells_and_says_in_its_exit_code_whether_all_were_read(self):
        name, number = frames('clean-')[2]
        done = self.run_reader(os.path.join(FRAMES, name), *WINDOW)
        self.assertEqual((done.stdout, done.returncode), ('%03d\n' % number, 0))
        done = self.run_reader(os.path.join(FRAMES, name), 0, 100, 819, 819)
        self.assertEqual((done.stdout, done.returncode), ('???\n', 1))
        self.assertEqual(self.run_reader(os.path.join(FRAMES, name), 0, 0).returncode, 2)

    @unittest.skipUnless(shutil.which('magick') or shutil.which('convert'), 'ImageMagick missing')
    def test_reads_a_png_through_imagemagick(self):
        name, number = frames('clean-')[9]
        png = os.path.join(FRAMES, 'reader-test.png')
        subprocess.run([counter.imagemagick(), os.path.join(FRAMES, name), png], check=True, timeout=60)
        done = self.run_reader(png, *WINDOW)
        self.assertEqual(done.stdout, '%03d\n' % number)


if __name__ == '__main__':
    writer = sys.argv.pop(1)
    with tempfile.TemporaryDirectory() as folder:
        subprocess.run([writer, folder], check=True, timeout=120)
        FRAMES = folder
        unittest.main(verbosity=2)
