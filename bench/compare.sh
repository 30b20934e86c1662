#!/usr/bin/env bash
# Runs the same file conversions through glimmerpress-cli, libvips (vips), ImageMagick (convert)
# and the JPEG library's own tools (djpeg, cjpeg) on a 6000 x 4000 photo, and prints the best of
# three wall-clock times of each with its ratio to glimmerpress-cli's.
#
# usage: bench/compare.sh [BUILD_DIR]   (default build/default; glimmerpress-cli must be built)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/default}
cli=$build/src/cli/glimmerpress-cli
[ -x "$cli" ] || { echo "compare.sh: $cli is not built" >&2; exit 2; }
for tool in vips convert djpeg cjpeg; do
    command -v "$tool" >/dev/null || { echo "compare.sh: $tool is not installed" >&2; exit 2; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export GLIMMERPRESS_WINDIR=$work/settings QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$GLIMMERPRESS_WINDIR" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

echo "Making the 6000 x 4000 test photo..."
convert -size 600x400 -seed 1 plasma: -resize '6000x4000!' -attenuate 0.3 +noise Gaussian "$work/photo.ppm"
cjpeg -quality 90 -outfile "$work/photo.jpg" "$work/photo.ppm"
convert "$work/photo.ppm" "BMP3:$work/photo.bmp"

# best SECONDS of three runs of a command
best() {
    local best=""
    for _ in 1 2 3; do
        local start end
        start=$(date +%s.%N)
        "$@" >/dev/null 2>&1
        end=$(date +%s.%N)
        best=$(echo "$start $end ${best:-1e9}" | awk '{ t = $2 - $1; print (t < $3 ? t : $3) }')
    done
    echo "$best"
}

row() {
    local name=$1 ours=$2 vips=$3 magick=$4 library=$5
    awk -v n="$name" -v o="$ours" -v v="$vips" -v m="$magick" -v l="$library" 'BEGIN {
        printf "%-16s %8.2fs  %8.2fs (%5.2fx)  %8.2fs (%5.2fx)", n, o, v, o / v, m, o / m
        if (l != "") printf "  %8.2fs (%5.2fx)", l, o / l
        printf "\n"
    }'
}

printf "%-16s %9s  %18s  %18s  %18s\n" "operation" "ours" "vips (ours/vips)" "ImageMagick" "djpeg/cjpeg"
o=$work/out
row "JPEG to BMP" \
    "$(best "$cli" convert "$work/photo.jpg" "$o.bmp")" \
    "$(best vips copy "$work/photo.jpg" "$o-v.bmp")" \
    "$(best convert "$work/photo.jpg" "BMP3:$o-m.bmp")" \
    "$(best djpeg -bmp -outfile "$o-d.bmp" "$work/photo.jpg")"
row "BMP to JPEG" \
    "$(best "$cli" convert --quality 90 "$work/photo.bmp" "$o.jpg")" \
    "$(best vips copy "$work/photo.bmp" "$o-v.jpg[Q=90]")" \
    "$(best convert "$work/photo.bmp" -quality 90 "$o-m.jpg")" \
    "$(best cjpeg -quality 90 -outfile "$o-c.jpg" "$work/photo.bmp")"
row "JPEG to JPEG" \
    "$(best "$cli" convert --quality 90 "$work/photo.jpg" "${o}2.jpg")" \
    "$(best vips copy "$work/photo.jpg" "${o}2-v.jpg[Q=90]")" \
    "$(best convert "$work/photo.jpg" -quality 90 "${o}2-m.jpg")" \
    ""
row "BMP to BMP" \
    "$(best "$cli" convert "$work/photo.bmp" "${o}2.bmp")" \
    "$(best vips copy "$work/photo.bmp" "${o}2-v.bmp")" \
    "$(best convert "$work/photo.bmp" "BMP3:${o}2-m.bmp")" \
    ""
if "$cli" edit --help >/dev/null 2>&1; then
    row "JPEG to gray" \
        "$(best "$cli" edit --raw "$work/photo.jpg" "$o-g.bmp" mode:gray)" \
        "$(best vips colourspace "$work/photo.jpg" "$o-gv.bmp" b-w)" \
        "$(best convert "$work/photo.jpg" -colorspace Gray "BMP3:$o-gm.bmp")" \
        ""
fi

# The other subsystems' comparisons.
for more in bench/compare-*.sh; do
    [ -x "$more" ] && { echo; "$more" "$cli"; }
done
