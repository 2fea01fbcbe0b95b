#!/usr/bin/env python3
"""The program's facts that the tests outside C++ need (the counter's glyphs
and place, the camera, the main panel's caption, place and restart buttons), as the build wrote
them from the program itself (tests/support/program_facts.cpp) into
BUILD/tests/support/program_facts.json. HEAT_FACTS names that file; the tests
that read the counter or press the buttons are given it by CTest.

usage: facts.py boundary-buttons
  prints one line a restart button: its label, temperature and rectangle in
  dialog units (x y width height), in the panel's order. Exit code 1: no
  facts to read; 2: a usage error."""
import json
import os
import sys


def load():
    path = os.environ.get('HEAT_FACTS')
    if not path:
        raise SystemExit('HEAT_FACTS is not set: it names the program_facts.json the build wrote '
                         '(BUILD/tests/support/program_facts.json)')
    try:
        with open(path) as f:
            return json.load(f)
    except OSError as error:
        raise SystemExit('HEAT_FACTS: %s (build the tests first)' % error)


def main(argv):
    if argv[1:] != ['boundary-buttons']:
        print('usage: facts.py boundary-buttons', file=sys.stderr)
        return 2
    for b in load()['boundary_buttons']:
        print(b['label'], repr(float(b['temperature'])), b['x'], b['y'], b['width'], b['height'])
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
