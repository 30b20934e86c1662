#!/bin/sh
# Times the geometric transforms of glimmerpress-cli against libvips (one thread) and ImageMagick
# (one thread) on one 6000 × 4000 24-bit picture. Each tool reads its input file, works and
# writes its output, so the times include reading and writing; the "copy" row is that part
# alone. The ratio columns are the peer's time over ours (above 1 means we are faster), first
# for the whole run, then for the work alone (the run less the tool's copy time).
#   bench/compare-transforms.sh [path/to/glimmerpress-cli]
set -eu

cli=${1:-build/default/src/cli/glimmerpress-cli}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export VIPS_CONCURRENCY=1 QT_QPA_PLATFORM=offscreen

convert -size 6000x4000 gradient:navy-orange -attenuate 0.3 +noise Gaussian -type TrueColor \
    "BMP3:$work/in.bmp"
vips copy "$work/in.bmp" "$work/in.v"

# Seconds taken by a command, with its output thrown away.
seconds() {
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s.%N)
    echo "$end - $start" | bc -l
}

# The time less the tool's copy time, at least 0.01 s so the ratios stay finite.
work() {
    echo "w = $1 - $2; if (w < 0.01) w = 0.01; w" | bc -l
}

row() {
    name=$1 ours=$2 vips=$3 magick=$4
    printf '%-14s %8.2f %8.2f %8.2f %8.2f %8.2f' "$name" "$ours" "$vips" "$magick" \
        "$(echo "$vips / $ours" | bc -l)" "$(echo "$magick / $ours" | bc -l)"
    if [ "$name" != copy ]; then
        w=$(work "$ours" "$copyOurs")
        printf ' %8.2f %8.2f' "$(echo "$(work "$vips" "$copyVips") / $w" | bc -l)" \
            "$(echo "$(work "$magick" "$copyMagick") / $w" | bc -l)"
    fi
    printf '\n'
}

printf '%-14s %8s %8s %8s %8s %8s %8s %8s\n' operation ours vips magick vips/us magick/us vips/us magick/us
printf '%-14s %8s %8s %8s %8s %8s %8s %8s\n' '' '(s)' '(s)' '(s)' run run work work
copyOurs=$(seconds "$cli" convert "$work/in.bmp" "$work/out.bmp")
copyVips=$(seconds vips copy "$work/in.v" "$work/out.v")
copyMagick=$(seconds convert -limit thread 1 "$work/in.bmp" "BMP3:$work/out.bmp")
row copy "$copyOurs" "$copyVips" "$copyMagick"
row flip-h \
    "$(seconds "$cli" edit "$work/in.bmp" "$work/out.bmp" flip-h)" \
    "$(seconds vips flip "$work/in.v" "$work/out.v" horizontal)" \
    "$(seconds convert -limit thread 1 "$work/in.bmp" -flop "BMP3:$work/out.bmp")"
row rotate:90 \
    "$(seconds "$cli" edit "$work/in.bmp" "$work/out.bmp" rotate:90)" \
    "$(seconds vips rot "$work/in.v" "$work/out.v" d90)" \
    "$(seconds convert -limit thread 1 "$work/in.bmp" -rotate 90 "BMP3:$work/out.bmp")"
row rotate:33 \
    "$(seconds "$cli" edit "$work/in.bmp" "$work/out.bmp" rotate:33)" \
    "$(seconds vips rotate "$work/in.v" "$work/out.v" 33 --interpolate bilinear)" \
    "$(seconds convert -limit thread 1 "$work/in.bmp" -rotate 33 "BMP3:$work/out.bmp")"
row resample:0.5 \
    "$(seconds "$cli" edit "$work/in.bmp" "$work/out.bmp" resample:3000:2000:96)" \
    "$(seconds vips resize "$work/in.v" "$work/out.v" 0.5 --kernel linear)" \
    "$(seconds convert -limit thread 1 "$work/in.bmp" -filter Triangle -resize '3000x2000!' "BMP3:$work/out.bmp")"
row resample:1.5 \
    "$(seconds "$cli" edit "$work/in.bmp" "$work/out.bmp" resample:9000:6000:96)" \
    "$(seconds vips resize "$work/in.v" "$work/out.v" 1.5 --kernel linear)" \
    "$(seconds convert -limit thread 1 "$work/in.bmp" -filter Triangle -resize '9000x6000!' "BMP3:$work/out.bmp")"
