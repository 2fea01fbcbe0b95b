# heatball.exe started under Wine for the shell checks that source this (with
# exe set): start_program, Wine's server stopped at the end, and the
# prefix's window metrics that place a window's client area: caption (the
# caption bar's height, CaptionHeight + 1) and frame (a sizing frame's width,
# 3 + BorderWidth), as the prefix of wine-prefix.sh holds them.
start_program() {
  wine "$exe" >stdout.txt 2>stderr.txt &
  pid=$!
}
trap 'wineserver -k 2>/dev/null; wineserver -w 2>/dev/null' EXIT
# A window metric of the prefix in pixels (a negative value is in twips).
metric() {   # name
  awk -v name="\"$1\"" -v section='[Control Panel\\\\Desktop\\\\WindowMetrics]' '
    /^\[/ { on = index($0, section) == 1; next }
    on && index($0, name "=") == 1 { v = substr($0, length(name) + 2); gsub(/"/, "", v)
                                    print (v < 0 ? int((-v * 96 + 720) / 1440) : v); exit }' "$WINEPREFIX/user.reg"
}
caption_height=$(metric CaptionHeight)
border_width=$(metric BorderWidth)
echo "# the prefix's metrics: CaptionHeight ${caption_height:-missing}, BorderWidth ${border_width:-missing}"
caption=$((${caption_height:?the prefix holds no CaptionHeight} + 1))
frame=$((3 + ${border_width:?the prefix holds no BorderWidth}))
