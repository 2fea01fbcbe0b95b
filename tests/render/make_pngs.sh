#!/bin/sh
# Remakes docs/frame-start.png and docs/frame-4.0-after-300-steps.png from
# offscreen frames: sh tests/render/make_pngs.sh [BUILD_DIR]
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
cmake --build "$build" --target render_snapshot -j2
tmp=$(mktemp -d)
. "$root/tests/support/imagemagick.sh"
"$build/tests/render/render_snapshot" "$tmp"
for name in frame-start frame-4.0-after-300-steps; do
  im "$tmp/$name.ppm" -define png:exclude-chunks=date,time "$root/docs/$name.png"
done
rm -rf "$tmp"
