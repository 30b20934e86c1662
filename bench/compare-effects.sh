#!/bin/sh
# Blur and Sharpen of glimmerpress-cli next to libvips and ImageMagick, every tool on one thread,
# on one 6000 × 4000 24-bit picture. Times are CPU seconds (user + system, the best of three
# runs), so other work on the machine disturbs them little. Each tool reads its input and writes
# its output; the "copy" row is that part alone, and the ratio columns set the peers' work
# (their time less their copy) over ours (above 1 means we are faster).
#   bench/compare-effects.sh [path/to/glimmerpress-cli]
# Then every effect on one and two threads (see below).
#
# The kernels match: Blur at intensity 50 has 5 taps over ±2 pixels, a Gaussian of sigma 1; at
# 100 it has 10 taps over ±5 pixels, sigma 2.5. Sharpen's 3-pixel box is set beside each tool's
# unsharp mask of sigma 1 (ImageMagick) and its default sharpen (libvips).
set -eu

cli=${1:-build/default/src/cli/glimmerpress-cli}
[ -x "$cli" ] || { echo "compare-effects.sh: $cli is not built" >&2; exit 2; }
for tool in vips convert; do
    command -v "$tool" >/dev/null || { echo "compare-effects.sh: $tool is not installed" >&2; exit 2; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export VIPS_CONCURRENCY=1 OMP_NUM_THREADS=1 GLIMMERPRESS_THREADS=1 QT_QPA_PLATFORM=offscreen GLIMMERPRESS_WINDIR="$work"

convert -size 6000x4000 gradient:navy-orange -attenuate 0.3 +noise Gaussian -type TrueColor "BMP3:$work/in.bmp"
vips copy "$work/in.bmp" "$work/in.v"
convert "$work/in.bmp" "$work/in.mpc"

# CPU seconds of a command, the best of three runs.
cpu() {
    best=""
    for _ in 1 2 3; do
        /usr/bin/time -f "%U %S" -o "$work/time" "$@" >/dev/null 2>&1
        t=$(awk '{ printf "%.3f", $1 + $2 }' "$work/time")
        best=$(awk -v a="$t" -v b="${best:-1e9}" 'BEGIN { print (a < b ? a : b) }')
    done
    echo "$best"
}

ours() { cpu "$cli" edit "$work/in.bmp" "$work/out.bmp" "$@"; }
viper() { cpu vips "$1" "$work/in.v" "$work/out.v" ${2:+"$2"}; }
magick() { cpu convert -limit thread 1 "$work/in.mpc" "$@" "$work/out.mpc"; }

copyOurs=$(ours)
copyVips=$(viper copy)
copyMagick=$(magick)

row() {
    awk -v n="$1" -v o="$2" -v v="$3" -v m="$4" -v co="$copyOurs" -v cv="$copyVips" -v cm="$copyMagick" 'BEGIN {
        printf "%-12s %8.2f %8.2f %8.2f", n, o, v, m
        if (n != "copy") {
            w = o - co; if (w < 0.01) w = 0.01
            wv = v - cv; if (wv < 0.01) wv = 0.01
            wm = m - cm; if (wm < 0.01) wm = 0.01
            printf " %8.2f %8.2f %8.2f %8.2f", w, wv, wv / w, wm / w
        }
        printf "\n"
    }'
}

printf '%-12s %8s %8s %8s %8s %8s %8s %8s\n' operation ours vips magick "work" "vips wk" "vips/us" "magick/us"
row copy "$copyOurs" "$copyVips" "$copyMagick"
row "blur 50" "$(ours blur:50)" "$(viper gaussblur 1.0)" "$(magick -blur 0x1)"
row "blur 100" "$(ours blur:100)" "$(viper gaussblur 2.5)" "$(magick -blur 0x2.5)"
row "sharpen 50" "$(ours sharpen:50)" "$(viper sharpen)" "$(magick -unsharp 0x1)"

# The effects at full intensity, ours alone (the peers have no such effects): the elapsed time of
# a whole run (the best of three) on one thread and on two, and the peak memory over the decoded
# picture in and out. Film Grain, Splash, Melting and Wrinkle draw from the classic random
# generator and stay on one thread.
elapsed() {
    best="" peak=0
    for _ in 1 2 3; do
        /usr/bin/time -f "%e %M" -o "$work/time" "$@" >/dev/null 2>&1
        read -r t m < "$work/time"
        best=$(awk -v a="$t" -v b="${best:-1e9}" 'BEGIN { print (a < b ? a : b) }')
        peak=$m
    done
    echo "$best $peak"
}
echo
echo "load: $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-12s %8s %8s %8s %8s\n' effect "1 thr" "2 thr" "MiB" "mem/io"
for effect in $(seq 300 317); do
    set -- $(elapsed env GLIMMERPRESS_THREADS=1 "$cli" edit "$work/in.bmp" "$work/out.bmp" "effect:$effect:100")
    one=$1 peak=$2
    set -- $(elapsed env GLIMMERPRESS_THREADS=2 "$cli" edit "$work/in.bmp" "$work/out.bmp" "effect:$effect:100")
    awk -v n="$effect" -v a="$one" -v b="$1" -v m="$peak" -v io=$((2 * 6000 * 4000 * 3)) \
        'BEGIN { printf "%-12s %8.2f %8.2f %8.0f %8.2f\n", n, a, b, m / 1024, m * 1024 / io }'
done
