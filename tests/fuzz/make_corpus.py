#!/usr/bin/env python3
"""Writes the hand-made seed inputs of the message fuzzer into corpus/.

Each input is a setup byte, a window-size byte, then steps: an operation
byte, its argument bytes, and the number of idle frames after it (the
layout message_fuzz.cpp reads). Commands name their control by its id,
taken from the program's headers by name."""
import os
import re
import struct

here = os.path.dirname(os.path.abspath(__file__))
root = os.path.join(here, '..', '..')


def ids():
    """The program's control ids by name: panels/resource_ids.h and platform.h's IDOK."""
    with open(os.path.join(root, 'panels', 'resource_ids.h')) as f:
        found = {name: int(value) for name, value in re.findall(r'^#define (ID\w+) (\d+)', f.read(), re.M)}
    with open(os.path.join(root, 'platform', 'platform.h')) as f:
        found['IDOK'] = int(re.search(r'\bIDOK = (\d+)', f.read()).group(1))
    return found


ID = ids()
MOVE, RDOWN, RUP, LDOWN, LUP = 0, 128, 129, 131, 132   # which % 5 picks the message


def w(v):
    return struct.pack('<H', v & 0xFFFF)


def mouse(which, x, y, raw=True):
    return bytes([0, which]) + w(x) + w(y) + bytes([200 if raw else 0, 0, 1])


def ident(control):
    """A control's id: its name in the program's headers, or a number no control has."""
    return ID[control] if isinstance(control, str) else control


def command(control):   # a main panel command, its id given in full (a pick of 200 or more)
    return bytes([9, 200]) + w(ident(control)) + bytes([0, 0, 1])


def ticks(n):
    return bytes([4, n - 1]) + bytes([0] * n) + bytes([1])


def scroll(bar, request, position):   # to the open form colours panel: request and position in full
    return bytes([14, 224]) + w(request) + bytes([192]) + w(position) + bytes([bar, 2])


def options(control):   # a command to the open options panel, its id given in full
    return bytes([13, 200, 255]) + w(ident(control)) + bytes([0, 1])


corpus = {
    # the camera pushed far past the near plane and back again
    'camera': bytes([0, 0]) + command('IDC_CAMERA_NEARER') * 30 + ticks(5)
    + command('IDC_CAMERA_FARTHER') * 30 + ticks(2),
    # the zoom driven up past the largest float and back down past the smallest
    'zoom': bytes([0, 10]) + mouse(RDOWN, 40, 30000)
    + b''.join(mouse(MOVE, 40, 30000 - 30 * k) for k in range(1, 1000))
    + b''.join(mouse(MOVE, 40, 30000 - 30 * 999 + 30 * k) for k in range(1, 1000)) + mouse(RUP, 0, 0),
    # a left drag far beyond the window with the right button joining it, a restart in the middle
    'drag': bytes([0, 20]) + mouse(LDOWN, 10, 10) + mouse(MOVE, -30000, 30000) + mouse(RDOWN, 5, 5)
    + mouse(MOVE, 32767, -32768) + command('IDC_BOUNDARY_4_0') + mouse(MOVE, 50, 50) + mouse(LUP, 9000, 9000)
    + mouse(RUP, 0, 0) + mouse(LUP, 10, 10) + ticks(20),
    # every panel opened, its switches and bars worked, closed and opened again
    'panels': bytes([0x61, 30]) + command('IDC_OPEN_OPTIONS') + command('IDC_OPEN_OPTIONS')
    + options('IDC_FOG') + options('IDC_LIGHTS') + options('IDC_TRANSPARENCY') + options(0xFFFF)
    + command('IDC_OPEN_FORM_COLORS') + command('IDC_OPEN_FORM_COLORS')
    + scroll(0, 5, 0) + scroll(6, 4, 255) + scroll(3, 0, 7) + scroll(1, 5, 0xFFFF) + scroll(2, 8, 300)
    + options('IDOK') + command('IDC_OPEN_OPTIONS') + bytes([17, 100, 1]) + command('IDC_OPEN_FORM_COLORS')
    + scroll(5, 5, 1) + ticks(3),
    # a palette display: palette messages, size and paint
    'palette': bytes([1, 40]) + bytes([8, 1, 1, 8, 0, 1, 1, 8, 2, 1, 8, 3, 1]) + bytes([7, 1]) + w(4000) + w(1) + bytes([1])
    + bytes([7, 0]) + w(0) + w(0) + bytes([1]) + bytes([6, 1]) + bytes([12, 0, 1, 12, 1]) + w(9) + w(9) + bytes([1]) + ticks(4),
    # no rendering context: the clock keeps running
    'nocontext': bytes([17, 0]) + mouse(LDOWN, 3, 3) + ticks(30) + command('IDC_CAMERA_FARTHER') + bytes([6, 1])
    + bytes([7, 0]) + w(5) + w(5) + bytes([1]),
}
os.makedirs(os.path.join(here, 'corpus'), exist_ok=True)
for name, data in corpus.items():
    with open(os.path.join(here, 'corpus', name), 'wb') as f:
        f.write(data)
