# ImageMagick as this machine has it, for the shell tests that source this:
# `magick` where it exists (ImageMagick 7, whose `convert` stand-in prints a
# line "list" before the value whenever -fx is used), else ImageMagick 6's
# `convert` and `compare`.
if command -v magick >/dev/null 2>&1; then
  im() { magick "$@"; }
  im_compare() { magick compare "$@"; }
else
  im() { convert "$@"; }
  im_compare() { compare "$@"; }
fi
