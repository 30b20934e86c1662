#!/bin/sh
# Times PNG and WebP decoding of glimmerpress-cli against the formats' own tools on one 6000 x 4000
# photo: each program reads the file and writes an uncompressed picture (ours a 24-bit BMP with
# --raw, so no widening; pngtopnm and dwebp a PPM), and dwebp's own decode timing beside ours.
# The ratio column is the peer's time over ours (above 1 means we are faster); best of three.
#   bench/compare-photo-formats.sh [path/to/glimmerpress-cli]
set -eu

cli=${1:-build/default/src/cli/glimmerpress-cli}
for tool in convert pngtopnm cwebp dwebp bc; do
    command -v "$tool" >/dev/null || { echo "compare-photo-formats.sh: $tool is not installed" >&2; exit 2; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen GLIMMERPRESS_WINDIR=$work/settings XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$GLIMMERPRESS_WINDIR" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

convert -size 600x400 -seed 1 plasma: -resize '6000x4000!' -attenuate 0.3 +noise Gaussian -depth 8 \
    png24:"$work/photo.png"
convert -size 600x400 -seed 1 plasma: -resize '6000x4000!' -alpha set -channel A -fx 'j/h' +channel \
    -depth 8 png32:"$work/alpha.png"
convert -interlace PNG "$work/photo.png" png24:"$work/interlaced.png"
cwebp -quiet -q 85 "$work/photo.png" -o "$work/lossy.webp"
cwebp -quiet -lossless -z 1 "$work/alpha.png" -o "$work/lossless.webp"

# Best wall-clock seconds of three runs, output thrown away.
best() {
    b=1000000
    for _ in 1 2 3; do
        start=$(date +%s.%N)
        "$@" >/dev/null 2>&1
        end=$(date +%s.%N)
        b=$(echo "t = $end - $start; if (t < $b) t else $b" | bc -l)
    done
    echo "$b"
}

row() {
    printf '%-22s %8.2f %8.2f %9.2f\n' "$1" "$2" "$3" "$(echo "$3 / $2" | bc -l)"
}

out=$work/out
printf '%-22s %8s %8s %9s\n' "file (peer)" ours peer peer/us
for f in photo alpha interlaced; do
    row "$f.png (pngtopnm)" "$(best "$cli" convert --raw "$work/$f.png" "$out.bmp")" \
        "$(best sh -c "pngtopnm '$work/$f.png' > '$out.ppm'")"
done
for f in lossy lossless; do
    row "$f.webp (dwebp)" "$(best "$cli" convert --raw "$work/$f.webp" "$out.bmp")" \
        "$(best dwebp "$work/$f.webp" -ppm -o "$out.ppm")"
done
