#!/usr/bin/env python3
"""Makes a page of the browser's build into one self-contained HTML file
(tools/web.cmake runs it after the link): the template's {{{ SCRIPT }}}
becomes the inflater (tools/web_inflate.js) with the WebAssembly in it,
deflated and in base64, and then Emscripten's script. Deflated, the
program's WebAssembly takes a third of its size (the legend's bitmap inside
it, flat bands of colour, next to nothing).

usage: web_page.py TEMPLATE SCRIPT WASM OUT"""
import base64
import os
import sys
import zlib

INFLATER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "web_inflate.js")


def main(argv):
    if len(argv) != 5:
        print(__doc__, file=sys.stderr)
        return 2
    template, script, wasm, out = argv[1:]
    with open(template, encoding="utf-8") as f:
        page = f.read()
    with open(script, encoding="utf-8") as f:
        program = f.read()
    with open(INFLATER, encoding="utf-8") as f:
        inflater = f.read()
    with open(wasm, "rb") as f:
        packer = zlib.compressobj(9, zlib.DEFLATED, -15)   # raw DEFLATE, no header
        packed = base64.b64encode(packer.compress(f.read()) + packer.flush()).decode("ascii")
    if "</script" in program or "</script" in inflater:
        print(f"{script} holds \"</script\", which would end the page's script early", file=sys.stderr)
        return 1
    if page.count("{{{ SCRIPT }}}") != 1:
        print(f"{template} has no one {{{{{{ SCRIPT }}}}}}", file=sys.stderr)
        return 1
    scripts = inflater.replace("{{{ WASM }}}", packed) + "\n" + program
    with open(out + ".tmp", "w", encoding="utf-8") as f:
        f.write(page.replace("{{{ SCRIPT }}}", scripts))
    os.replace(out + ".tmp", out)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
