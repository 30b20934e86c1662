#!/bin/sh
# Times TIFF conversions of glimmerpress-cli against libtiff's tiffcp and ImageMagick (one thread)
# on one 6000 x 4000 24-bit picture: decoding LZW files (plain and with horizontal differencing)
# to an uncompressed file, encoding an uncompressed file with LZW, and copying a plain file.
# Ours runs with --raw, so the times are the codec's alone, once on one thread and once on two
# (GLIMMERPRESS_THREADS; LZW and uncompressed strips are read on both). The ratio columns are ours over the
# peer's time (below 1 means we are faster), one thread and two against tiffcp, one thread
# against ImageMagick; best of three runs each. The machine's load is printed at the end.
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
    name=$1 ours=$2 ours2=$3 tiffcp=$4 magick=$5
    printf '%-14s %7.2f %7.2f %7.2f %7.2f %9.2f %9.2f %9.2f\n' "$name" "$ours" "$ours2" "$tiffcp" "$magick" \
        "$(echo "$ours / $tiffcp" | bc -l)" "$(echo "$ours2 / $tiffcp" | bc -l)" "$(echo "$ours / $magick" | bc -l)"
}

# ours THREADS ARGS...: our conversion on that many threads.
ours() {
    threads=$1
    shift
    GLIMMERPRESS_THREADS=$threads "$cli" convert --raw "$@"
}

out=$work/out.tif
printf '%-14s %7s %7s %7s %7s %9s %9s %9s\n' operation "ours 1" "ours 2" tiffcp magick "1/tiffcp" "2/tiffcp" "1/magick"
for file in lzw lzw2; do
    row "$(echo "$file" | tr a-z A-Z | sed 's/2$/:2/') decode" \
        "$(best ours 1 "$work/$file.tif" "$out")" \
        "$(best ours 2 "$work/$file.tif" "$out")" \
        "$(best tiffcp -c none "$work/$file.tif" "$out")" \
        "$(best convert -limit thread 1 "$work/$file.tif" -compress none "$out")"
done
row "LZW encode" \
    "$(best ours 1 --compress "$work/plain.tif" "$out")" \
    "$(best ours 2 --compress "$work/plain.tif" "$out")" \
    "$(best tiffcp -c lzw "$work/plain.tif" "$out")" \
    "$(best convert -limit thread 1 "$work/plain.tif" -compress lzw "$out")"
row "plain copy" \
    "$(best ours 1 "$work/plain.tif" "$out")" \
    "$(best ours 2 "$work/plain.tif" "$out")" \
    "$(best tiffcp -c none "$work/plain.tif" "$out")" \
    "$(best convert -limit thread 1 "$work/plain.tif" -compress none "$out")"
echo "load: $(cut -d' ' -f1-3 /proc/loadavg) on $(getconf _NPROCESSORS_ONLN) cores"
