#!/usr/bin/env python3
"""Writes the hand-made seed inputs of the message fuzzer into corpus/.

Each input is a setup byte, a window-size byte, then steps: an operation
byte, its argument bytes, and the number of idle frames after it (the
layout message_fuzz.cpp reads)."""
import os
import struct

here = os.path.dirname(os.path.abspath(__file__))
PANEL = [1008, 1009, 1019, 1022, 1033, 1021, 1030, 1031, 1032, 1038, 1020, 1034, 1035, 1036, 1037, 1, 2, 0, 0xFFFF]
MOVE, RDOWN, RUP, LDOWN, LUP = 0, 128, 129, 131, 132   # which % 5 picks the message


def w(v):
    return struct.pack('<H', v & 0xFFFF)


def mouse(which, x, y, raw=True):
    return bytes([0, which]) + w(x) + w(y) + bytes([200 if raw else 0, 0, 1])


def command(id_):
    return bytes([9, PANEL.index(id_), 0, 0, 1])


def ticks(n):
    return bytes([4, n - 1]) + bytes([0] * n) + bytes([1])


def scroll(bar, request, position):
    return bytes([14, 224, request & 0xFF, 192]) + w(position) + bytes([bar, 2])


def options(id_):
    return bytes([13, 200, [1, 1006, 1018, 1046, 2, 1032, 0xFFFF].index(id_), 0, 1])


corpus = {
    # the camera pushed far past the near plane and back again
    'camera': bytes([0, 0]) + command(1031) * 30 + ticks(5) + command(1030) * 30 + ticks(2),
    # the zoom driven up past the largest float and back down past the smallest
    'zoom': bytes([0, 10]) + mouse(RDOWN, 40, 30000)
    + b''.join(mouse(MOVE, 40, 30000 - 30 * k) for k in range(1, 1000))
    + b''.join(mouse(MOVE, 40, 30000 - 30 * 999 + 30 * k) for k in range(1, 1000)) + mouse(RUP, 0, 0),
    # a left drag far beyond the window with the right button joining it, a restart in the middle
    'drag': bytes([0, 20]) + mouse(LDOWN, 10, 10) + mouse(MOVE, -30000, 30000) + mouse(RDOWN, 5, 5)
    + mouse(MOVE, 32767, -32768) + command(1019) + mouse(MOVE, 50, 50) + mouse(LUP, 9000, 9000)
    + mouse(RUP, 0, 0) + mouse(LUP, 10, 10) + ticks(20),
    # every panel opened, its switches and bars worked, closed and opened again
    'panels': bytes([0x61, 30]) + command(1032) + command(1032) + options(1006) + options(1018)
    + options(1046) + options(0xFFFF) + command(1038) + command(1038)
    + scroll(0, 5, 0) + scroll(6, 4, 255) + scroll(3, 0, 7) + scroll(1, 5, 0xFFFF) + scroll(2, 8, 300)
    + options(1) + command(1032) + bytes([17, 100, 1]) + command(1038) + scroll(5, 5, 1) + ticks(3),
    # a palette display: palette messages, size and paint
    'palette': bytes([1, 40]) + bytes([8, 1, 1, 8, 0, 1, 1, 8, 2, 1, 8, 3, 1]) + bytes([7, 1]) + w(4000) + w(1) + bytes([1])
    + bytes([7, 0]) + w(0) + w(0) + bytes([1]) + bytes([6, 1]) + bytes([12, 0, 1, 12, 1]) + w(9) + w(9) + bytes([1]) + ticks(4),
    # no rendering context: the clock keeps running
    'nocontext': bytes([17, 0]) + mouse(LDOWN, 3, 3) + ticks(30) + command(1030) + bytes([6, 1]) + bytes([7, 0]) + w(5) + w(5) + bytes([1]),
}
os.makedirs(os.path.join(here, 'corpus'), exist_ok=True)
for name, data in corpus.items():
    with open(os.path.join(here, 'corpus', name), 'wb') as f:
        f.write(data)
