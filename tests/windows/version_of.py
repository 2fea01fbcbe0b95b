#!/usr/bin/env python3
"""Prints a string of a Windows program's version resource, read from the
file itself: the UTF-16 key (ProductVersion, FileVersion, ProductName ...)
and the value that follows it in the StringFileInfo block.
usage: version_of.py PROGRAM.EXE KEY"""
import re
import sys

data = open(sys.argv[1], 'rb').read()
key = sys.argv[2].encode('utf-16-le') + b'\0\0'
at = data.find(key)
if at < 0:
    sys.exit('%s: no %s in its version resource' % (sys.argv[1], sys.argv[2]))
at += len(key)
at += (-at) % 4   # the value starts on a 32-bit boundary
value = re.match(rb'((?:[^\0]\0)*)\0\0', data[at:at + 512])
if not value:
    sys.exit('%s: %s has no value' % (sys.argv[1], sys.argv[2]))
print(value.group(1).decode('utf-16-le'))
