#!/bin/sh
# Times PCX and TGA conversions of glimmerpress-cli against ImageMagick (one thread) on one
# 6000 × 4000 24-bit picture. Each tool reads its input file and writes its output, so the times
# include both sides; the BMP to BMP row is that cost for a format with no coding at all. The
# ratio is ImageMagick's time over ours (above 1 means we are faster).
#   bench/compare-pcx-tga.sh [path/to/glimmerpress-cli]
set -eu

cli=${1:-build/default/src/cli/glimmerpress-cli}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen GLIMMERPRESS_WINDIR=$work/settings
mkdir -p "$GLIMMERPRESS_WINDIR"

convert -size 600x400 -seed 1 plasma: -resize '6000x4000!' -attenuate 0.3 +noise Gaussian -type TrueColor \
    "BMP3:$work/in.bmp"
convert "$work/in.bmp" "$work/in.pcx"
convert "$work/in.bmp" "$work/in.tga"
convert "$work/in.bmp" -compress RLE "$work/in-rle.tga"

# Best of three wall-clock seconds of a command, with its output thrown away.
seconds() {
    best=""
    for _ in 1 2 3; do
        start=$(date +%s.%N)
        "$@" >/dev/null 2>&1
        end=$(date +%s.%N)
        best=$(echo "$start $end ${best:-1e9}" | awk '{ t = $2 - $1; print (t < $3 ? t : $3) }')
    done
    echo "$best"
}

row() {
    printf '%-18s %8.2f %8.2f %8.2f\n' "$1" "$2" "$3" "$(echo "$3 / $2" | bc -l)"
}

printf '%-18s %8s %8s %8s\n' operation ours magick magick/us
printf '%-18s %8s %8s %8s\n' '' '(s)' '(s)' ''
m="convert -limit thread 1"
row "BMP to BMP" "$(seconds "$cli" convert "$work/in.bmp" "$work/o.bmp")" \
    "$(seconds $m "$work/in.bmp" "BMP3:$work/o-m.bmp")"
row "BMP to PCX" "$(seconds "$cli" convert "$work/in.bmp" "$work/o.pcx")" \
    "$(seconds $m "$work/in.bmp" "$work/o-m.pcx")"
row "PCX to BMP" "$(seconds "$cli" convert "$work/in.pcx" "$work/p.bmp")" \
    "$(seconds $m "$work/in.pcx" "BMP3:$work/p-m.bmp")"
row "BMP to TGA" "$(seconds "$cli" convert "$work/in.bmp" "$work/o.tga")" \
    "$(seconds $m "$work/in.bmp" "$work/o-m.tga")"
row "BMP to TGA (RLE)" "$(seconds "$cli" convert --compress "$work/in.bmp" "$work/or.tga")" \
    "$(seconds $m "$work/in.bmp" -compress RLE "$work/or-m.tga")"
row "TGA to BMP" "$(seconds "$cli" convert "$work/in.tga" "$work/t.bmp")" \
    "$(seconds $m "$work/in.tga" "BMP3:$work/t-m.bmp")"
row "TGA (RLE) to BMP" "$(seconds "$cli" convert "$work/in-rle.tga" "$work/tr.bmp")" \
    "$(seconds $m "$work/in-rle.tga" "BMP3:$work/tr-m.bmp")"
