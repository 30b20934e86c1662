#!/bin/sh
# Times TIFF conversions of glimmerpress-cli against libtiff's tiffcp and ImageMagick (one thread)
# on one 6000 x 4000 24-bit picture: decoding LZW files (plain and with horizontal differencing)
# to an uncompressed file, encoding an uncompressed file with LZW, and copying a plain file.
# Ours runs with --raw, so the times are the codec's alone. The ratio columns are the peer's time
# over ours (above 1 means we are faster); best of three runs each.
#   bench/compare-tiff.sh [path/to/glimmerpress-cli]
set -eu

cli=${1:-build/default/src/cli/glimmerpress-cli}
for tool in tiffcp convert; do
    command -v "$tool" >/dev/null || { echo "compare-tiff.sh: $tool is not installed" >&2; exit 2; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen GLIMMERPRESS_WINDIR=$work/settings XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$GLIMMERPRESS_WINDIR" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

convert -size 600x400 -seed 1 plasma: -resize '6000x4000!' -attenuate 0.3 +noise Gaussian -depth 8 \
    -compress none "$work/plain.tif"
tiffcp -c lzw "$work/plain.tif" "$work/lzw.tif"
tiffcp -c lzw:2 "$work/plain.tif" "$work/lzw2.tif"

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
    name=$1 ours=$2 tiffcp=$3 magick=$4
    printf '%-18s %8.2f %8.2f %8.2f %9.2f %9.2f\n' "$name" "$ours" "$tiffcp" "$magick" \
        "$(echo "$tiffcp / $ours" | bc -l)" "$(echo "$magick / $ours" | bc -l)"
}

out=$work/out.tif
printf '%-18s %8s %8s %8s %9s %9s\n' operation ours tiffcp magick tiffcp/us magick/us
row "LZW decode" \
    "$(best "$cli" convert --raw "$work/lzw.tif" "$out")" \
    "$(best tiffcp -c none "$work/lzw.tif" "$out")" \
    "$(best convert -limit thread 1 "$work/lzw.tif" -compress none "$out")"
row "LZW:2 decode" \
    "$(best "$cli" convert --raw "$work/lzw2.tif" "$out")" \
    "$(best tiffcp -c none "$work/lzw2.tif" "$out")" \
    "$(best convert -limit thread 1 "$work/lzw2.tif" -compress none "$out")"
row "LZW encode" \
    "$(best "$cli" convert --raw --compress "$work/plain.tif" "$out")" \
    "$(best tiffcp -c lzw "$work/plain.tif" "$out")" \
    "$(best convert -limit thread 1 "$work/plain.tif" -compress lzw "$out")"
row "plain copy" \
    "$(best "$cli" convert --raw "$work/plain.tif" "$out")" \
    "$(best tiffcp -c none "$work/plain.tif" "$out")" \
    "$(best convert -limit thread 1 "$work/plain.tif" -compress none "$out")"
