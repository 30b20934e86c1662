#!/bin/bash
# The speed and memory table of glimmerpress-cli against its peers, whole processes on one
# 6000 x 4000 photo: the codecs against the JPEG library's own tools, tiffcp and ImageMagick,
# the photo operations against libvips, both on one thread (VIPS_CONCURRENCY=1 and
# GLIMMERPRESS_THREADS=1) or both on THREADS threads (libvips reads and writes its own
# uncompressed format, we read and write BMP), the effects against their one
# second budget. For each operation it prints the best wall-clock time of RUNS runs (default 3)
# of ours and of the peer, the ratio ours / peer (below 1 means we are faster), the ratio of
# the CPU time (user + system) of those same runs, which a busy machine disturbs less, the
# target ratio, the peak memory (MiB) of both, and the machine's one-minute load when the row
# was measured. Every one of our saves ends with a durable write (fsync), which costs wall-clock
# time but little CPU; its cost for the 69 MiB picture is measured on its own and printed first,
# beside the same write without it.
#
#   bench/speed-table.sh [BUILD_DIR]        (default build/default; glimmerpress-cli must be built)
#   RUNS=5 bench/speed-table.sh             (more runs per figure)
#   ONLY=codecs|pixels|effects|album        (one part of the table)
#   THREADS=2 ONLY=pixels bench/speed-table.sh   (ours and the peers on two threads each)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/default}
cli=$(realpath "$build/src/cli/glimmerpress-cli")
runs=${RUNS:-3}
only=${ONLY:-}
threads=${THREADS:-1}
[ -x "$cli" ] || { echo "speed-table.sh: $cli is not built" >&2; exit 2; }
for tool in vips vipsthumbnail convert djpeg cjpeg tiffcp; do
    command -v "$tool" >/dev/null || { echo "speed-table.sh: $tool is not installed" >&2; exit 2; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export VIPS_CONCURRENCY=$threads OMP_NUM_THREADS=$threads GLIMMERPRESS_THREADS=$threads QT_QPA_PLATFORM=offscreen
export GLIMMERPRESS_WINDIR=$work/settings XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$GLIMMERPRESS_WINDIR" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

echo "Making the 6000 x 4000 test photo and its files..."
convert -size 600x400 -seed 1 plasma: -resize '6000x4000!' -attenuate 0.3 +noise Gaussian -depth 8 "$work/photo.ppm"
cjpeg -quality 90 -outfile "$work/photo.jpg" "$work/photo.ppm"
convert "$work/photo.ppm" -type TrueColor "BMP3:$work/photo.bmp"
convert "$work/photo.ppm" "$work/photo.tga"
convert "$work/photo.ppm" "$work/photo.pcx"
convert "$work/photo.ppm" -compress none "$work/plain.tif"
tiffcp -c lzw "$work/plain.tif" "$work/lzw.tif"
vips copy "$work/photo.bmp" "$work/photo.v"
rm "$work/photo.ppm"

load() { cut -d' ' -f1 /proc/loadavg; }

# "SECONDS KIB CPU-SECONDS" of the fastest of RUNS runs of a command, its output thrown away.
measure() {
    local best="" line
    for _ in $(seq "$runs"); do
        /usr/bin/time -f "%e %M %U %S" -o "$work/time" "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; }
        line=$(tail -n 1 "$work/time" | awk '{ printf "%s %s %.2f", $1, $2, $3 + $4 }')
        if [ -z "$best" ] || awk -v a="${line%% *}" -v b="${best%% *}" 'BEGIN { exit !(a < b) }'; then
            best=$line
        fi
    done
    echo "$best"
}

printf '%-26s %7s  %-14s %7s %6s %6s %6s %8s %8s %5s\n' operation "ours s" peer "peer s" ratio \
    "cpu" target "ours MiB" "peer MiB" load

# row NAME TARGET PEER-NAME -- OUR COMMAND... -- PEER COMMAND... (no peer: PEER-NAME "-" and
# TARGET the time budget in seconds, printed as the ratio to it)
row() {
    local name=$1 target=$2 peer=$3
    shift 3
    [ "$1" = -- ] && shift
    local ours=() theirs=()
    while [ $# -gt 0 ] && [ "$1" != -- ]; do ours+=("$1"); shift; done
    [ $# -gt 0 ] && shift
    theirs=("$@")
    local o t=""
    o=$(measure "${ours[@]}")
    [ ${#theirs[@]} -gt 0 ] && t=$(measure "${theirs[@]}")
    awk -v n="$name" -v target="$target" -v peer="$peer" -v o="$o" -v t="$t" -v l="$(load)" 'BEGIN {
        split(o, a, " "); os = a[1]; om = a[2] / 1024; oc = a[3]
        if (t != "") {
            split(t, b, " "); ps = b[1]; pm = b[2] / 1024; pc = b[3]
            cpu = pc > 0 ? sprintf("%6.2f", oc / pc) : "     -"
            printf "%-26s %7.2f  %-14s %7.2f %6.2f %s %6s %8.1f %8.1f %5s\n", n, os, peer, ps, os / ps, cpu, target, om, pm, l
        } else {
            printf "%-26s %7.2f  %-14s %7s %6.2f %6s %6s %8.1f %8s %5s\n", n, os, "budget", target "s", os / target, "-", "1.00", om, "-", l
        }
    }'
}

# The durable write: the same 69 MiB written with and without a final fsync.
if [ -z "$only" ] || [ "$only" = codecs ]; then
    row "write 69 MiB + fsync" - "plain write" -- \
        dd if="$work/photo.bmp" of="$work/sync.bmp" bs=1M conv=fsync -- \
        dd if="$work/photo.bmp" of="$work/nosync.bmp" bs=1M

    row "JPEG decode (to BMP)" 1.10 djpeg -- "$cli" convert "$work/photo.jpg" "$work/o.bmp" -- \
        djpeg -bmp -outfile "$work/d.bmp" "$work/photo.jpg"
    row "JPEG encode (from BMP)" 1.10 cjpeg -- "$cli" convert --quality 90 "$work/photo.bmp" "$work/o.jpg" -- \
        cjpeg -quality 90 -outfile "$work/c.jpg" "$work/photo.bmp"
    row "load + save JPEG" 1.00 "vips copy" -- "$cli" convert --quality 90 "$work/photo.jpg" "$work/o2.jpg" -- \
        vips copy "$work/photo.jpg" "$work/v2.jpg[Q=90]"
    row "load + save BMP" 1.00 "vips copy" -- "$cli" convert "$work/photo.bmp" "$work/o2.bmp" -- \
        vips copy "$work/photo.v" "$work/v2.v"
    row "TIFF LZW decode" 1.00 tiffcp -- "$cli" convert --raw "$work/lzw.tif" "$work/o.tif" -- \
        tiffcp -c none "$work/lzw.tif" "$work/t.tif"
    # The strips decoded on both cores; tiffcp has one thread only.
    row "TIFF LZW decode, 2 thr" 1.00 tiffcp -- env GLIMMERPRESS_THREADS=2 "$cli" convert --raw "$work/lzw.tif" "$work/o.tif" -- \
        tiffcp -c none "$work/lzw.tif" "$work/t.tif"
    row "TIFF plain copy" 1.00 tiffcp -- "$cli" convert --raw "$work/plain.tif" "$work/o.tif" -- \
        tiffcp -c none "$work/plain.tif" "$work/t.tif"
    row "TGA read (to BMP)" 1.00 "magick 1 thr" -- "$cli" convert "$work/photo.tga" "$work/o.bmp" -- \
        convert -limit thread 1 "$work/photo.tga" "BMP3:$work/m.bmp"
    row "PCX read (to BMP)" 1.00 "magick 1 thr" -- "$cli" convert "$work/photo.pcx" "$work/o.bmp" -- \
        convert -limit thread 1 "$work/photo.pcx" "BMP3:$work/m.bmp"
fi

ours_edit() { echo "$cli" edit "$work/photo.bmp" "$work/e.bmp" "$@"; }
if [ -z "$only" ] || [ "$only" = pixels ]; then
    v=$work/photo.v
    row "no-op (BMP in and out)" 1.00 "vips copy" -- $(ours_edit) -- vips copy "$v" "$work/e.v"
    row "flip" 1.00 "vips flip" -- $(ours_edit flip-h) -- vips flip "$v" "$work/e.v" horizontal
    row "quarter turn" 1.00 "vips rot" -- $(ours_edit rotate:90) -- vips rot "$v" "$work/e.v" d90
    row "rotate 33 degrees" 1.00 "vips rotate" -- $(ours_edit rotate:33) -- \
        vips rotate "$v" "$work/e.v" 33 --interpolate bilinear
    row "resample to half" 1.00 "vips resize" -- $(ours_edit resample:3000:2000:96) -- \
        vips resize "$v" "$work/e.v" 0.5 --kernel linear
    row "blur 50" 1.00 "vips gaussblur" -- $(ours_edit blur:50) -- vips gaussblur "$v" "$work/e.v" 1.0
    row "blur 100" 1.00 "vips gaussblur" -- $(ours_edit blur:100) -- vips gaussblur "$v" "$work/e.v" 2.5
    row "sharpen 50" 1.00 "vips sharpen" -- $(ours_edit sharpen:50) -- vips sharpen "$v" "$work/e.v"
    row "brightness/contrast" 1.00 "vips linear" -- $(ours_edit brightness:20:10) -- \
        vips linear "$v" "$work/e.v" 1.1 20 --uchar
    vips identity "$work/lut.v"
    row "tone" 1.00 "vips maplut" -- $(ours_edit tone:20:10:5) -- vips maplut "$v" "$work/e.v" "$work/lut.v"
    row "hue/saturation" 2.00 "vips copy" -- $(ours_edit huesat:20:20) -- vips copy "$v" "$work/e.v"
fi

if [ -z "$only" ] || [ "$only" = effects ]; then
    row "effect ripple" 1.00 - -- $(ours_edit effect:305:50)
    row "effect mosaic" 1.00 - -- $(ours_edit effect:308:50)
    row "effect sphere" 1.00 - -- $(ours_edit effect:313:50)
    row "effect painting" 1.00 - -- $(ours_edit effect:300:50)
    row "effect melting" 1.00 - -- $(ours_edit effect:304:50)
    row "effect melting 100" 1.00 - -- $(ours_edit effect:304:100)
fi

if [ -z "$only" ] || [ "$only" = album ]; then
    mkdir -p "$work/photos" "$work/thumbs" "$work/data"
    convert -size 3000x2000 gradient:navy-orange -attenuate 0.3 +noise Uniform -quality 90 "$work/photos/p000.jpg"
    for i in $(seq 1 99); do cp "$work/photos/p000.jpg" "$(printf '%s/photos/p%03d.jpg' "$work" "$i")"; done
    add_album() { rm -f "$work/album.abm"; "$cli" --data-dir "$work/data" album add "$work/album.abm" "$work"/photos/*.jpg; }
    export -f add_album
    export cli work
    row "album add, 100 JPEGs" 1.00 vipsthumbnail -- bash -c add_album -- \
        vipsthumbnail -s 96 -o "$work/thumbs/%s.jpg" "$work"/photos/*.jpg
fi
# (nproc would answer 1 here: it follows OMP_NUM_THREADS.)
echo "threads: $threads each; load: $(cut -d' ' -f1-3 /proc/loadavg) on $(getconf _NPROCESSORS_ONLN) cores"
