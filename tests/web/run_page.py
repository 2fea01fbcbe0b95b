#!/usr/bin/env python3
"""A program built as a page (the contract suite's, say), run in headless
Chromium from disk until it ends: what it printed, then its exit code as
its own (the page's document.body.dataset.exitCode, platform/web/page.js;
134 for a program stopped by an error).

usage: run_page.py PAGE CHROMIUM [SECONDS]   (SECONDS: 120 unless given)"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from chromium import Chromium, ChromiumError  # noqa: E402


def main(argv):
    if len(argv) not in (3, 4):
        print(__doc__, file=sys.stderr)
        return 2
    page, program = argv[1], argv[2]
    seconds = float(argv[3]) if len(argv) == 4 else 120.0
    with Chromium(program, width=1024, height=768) as browser:
        browser.open("file://" + os.path.abspath(page))
        try:
            code = browser.wait_for("document.body.dataset.exitCode", deadline=seconds)
        except ChromiumError as error:
            code = None
            print(f"FAIL - the page's program did not end: {error}")
        for line in browser.console:
            print(line.split(": ", 1)[1] if line.startswith("console.") else line)
    return 1 if code is None else int(code)


if __name__ == "__main__":
    sys.exit(main(sys.argv))
