#!/usr/bin/env bash
# Makes the README's screenshots from the real program: starts it on a private virtual X server
# with two sample photos, visits the main screens with xdotool and saves each frame to
# docs/screenshots/. Needs a default build (scripts/build.sh default), Xvfb, xdotool and ImageMagick.
set -euo pipefail
cd "$(dirname "$0")/.."
program=build/default/src/ui/glimmerpress
out=docs/screenshots
[ -x "$program" ] || { echo "build the program first: scripts/build.sh default" >&2; exit 1; }
mkdir -p "$out"

work=$(mktemp -d)
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
cleanup() {
    [ -n "${app_pid:-}" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(cat "$work/display")"

# Two sample photos: a sunset gradient and a sea-and-sky scene.
convert -size 600x400 gradient:'#ffcf70'-'#c2405a' -fill '#fff3b0' -draw 'circle 300,250 300,200' "bmp3:$work/sunset.bmp"
convert -size 600x400 gradient:'#8ecae6'-'#1d6fa3' -fill '#f4e3b1' -draw 'rectangle 0,300 600,400' "bmp3:$work/beach.bmp"

mkdir -p "$work/settings"
cp data/program/GLMPRESS.INI "$work/settings/"
GLIMMERPRESS_WINDIR="$work/settings" GLIMMERPRESS_DATADIR="$work/data" \
    GLIMMERPRESS_INSTANCE_NAME="glimmer-shots-$$" "$program" "$work/sunset.bmp" "$work/beach.bmp" &
app_pid=$!
sleep 3

left=$(((1024 - 800) / 2))
top=$(((768 - 600) / 2))
shot() { import -window root -crop "800x600+$left+$top" +repage "$out/$1.png"; }
click() { xdotool mousemove $((left + $1)) $((top + $2)) click 1; sleep 0.8; }

shot layout
click 90 98   # Get Photos
shot get-photos
xdotool key Escape; sleep 0.5
click 90 160  # Crop Photo
shot crop-photo
xdotool key Escape; sleep 0.5
click 90 222  # Edit Photo
shot edit-photo
xdotool key Escape; sleep 0.5
click 90 284  # Frame Photo
shot frame-photo
xdotool key Escape; sleep 0.5
click 90 346  # Add Text
shot add-text
xdotool key Escape; sleep 0.5
echo "screenshots written to $out"
