#!/usr/bin/env python3
"""Compares gl_matrices' output from the desktop's OpenGL (Mesa) and from the
browser's OpenGL layer under node: every line marked "=" the same to the
last bit, every line marked "~" to within 1e-5 in every element.

usage: same_matrices.py NATIVE-GL-MATRICES NODE GL-MATRICES.JS"""
import struct
import subprocess
import sys

NEAR = 1e-5


def lines(command):
    out = subprocess.run(command, check=True, stdout=subprocess.PIPE, text=True).stdout
    return [line.split() for line in out.splitlines()]


def value(bits):
    return struct.unpack(">f", bytes.fromhex(bits))[0]


def main(argv):
    if len(argv) != 4:
        print(__doc__, file=sys.stderr)
        return 2
    mesa, web = lines([argv[1]]), lines(argv[2:4])
    if len(mesa) < 30 or len(mesa) != len(web):
        print(f"FAIL - {len(mesa)} lines from Mesa, {len(web)} from the layer")
        return 1
    exact, near, worst, faults = 0, 0, 0.0, []
    for ours, theirs in zip(mesa, web):
        name = " ".join(ours[1:-16])
        if ours[:-16] != theirs[:-16]:
            faults.append(f"{name}: the lines do not match: {' '.join(theirs[:-16])}")
            continue
        if ours[0] == "=":
            exact += 1
            if ours[-16:] != theirs[-16:]:
                faults.append(f"{name}: not the same bits:\n    Mesa  {' '.join(ours[-16:])}\n"
                              f"    layer {' '.join(theirs[-16:])}")
        else:
            near += 1
            apart = max(abs(value(a) - value(b)) for a, b in zip(ours[-16:], theirs[-16:]))
            worst = max(worst, apart)
            if apart > NEAR:
                faults.append(f"{name}: {apart:.2g} apart")
    if faults:
        print("FAIL - the layer's matrices are not Mesa's:\n  " + "\n  ".join(faults))
        return 1
    print(f"ok   - {exact} matrices the same to the last bit as Mesa's (projection, refused frustums, view, "
          f"the start orientation, 5,000 frames of spin), {near} after random turns within {worst:.2g} "
          f"(at most {NEAR:g})")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
