#!/usr/bin/env bash
# Prints a label sheet of 30 cells (three columns of ten 2-5/8 x 1 inch address labels on US
# Letter), each with a different 6000 x 4000 JPEG photo, to a PDF at 600 dpi with
# glimmerpress-cli, and builds the same page with peer tools: libvips fits the photos into their
# cells and lays them out on a 600 dpi page, tiff2pdf wraps that page in a PDF. ImageMagick
# would be the obvious peer but Debian's security policy forbids it to write PDF files; the
# script shows its refusal.
#
# Reports wall and CPU seconds and the peak resident memory of each, and for glimmerpress-cli
# the memory target: the decoded photos plus one 24-bit page raster. The photos are made by
# make_sheet_photos, so every run prints the same pixels.
#
# The allocator's ceiling (1 GiB) bounds each image block, not their sum: the 30 photos of
# 69 MiB each open as 30 documents whatever their total, and opening one only probes for three
# times its size (released at once). Nothing in the program or the command-line tool limits
# the total; the peak below is what the machine must have.
#
# usage: bench/compare-label-sheet.sh [BUILD_DIR]   (default build/default)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/default}
cli=$build/src/cli/glimmerpress-cli
maker=$build/bench/make_sheet_photos
for program in "$cli" "$maker"; do
    [ -x "$program" ] || { echo "compare-label-sheet.sh: $program is not built" >&2; exit 2; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$work/settings" "$work/photos" "$work/peer" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
: >"$work/settings/GLMPRESS.INI"

count=30
echo "Making $count photos of 6000 x 4000..."
"$maker" "$work/photos" "$count"
photos=("$work"/photos/photo-*.jpg)

# One photo block: 40-byte header, 6000 x 4000 x 3 bytes of rows, 10 spare bytes.
photo_bytes=$((40 + 6000 * 4000 * 3 + 10))
raster_bytes=$((5100 * 6600 * 3))
mib() { awk -v b="$1" 'BEGIN { printf "%.0f", b / 1048576 }'; }
echo "decoded photos $(mib $((count * photo_bytes))) MiB, page raster $(mib $raster_bytes) MiB," \
    "target below $(mib $((count * photo_bytes + raster_bytes))) MiB;" \
    "the allocator's 1024 MiB ceiling applies to each $(mib $photo_bytes) MiB photo, not to their sum"

# Runs a command under /usr/bin/time, adding its seconds to the totals and raising the peak.
wall=0 cpu=0 peak=0
timed() {
    /usr/bin/time -f "%e %U %S %M" -o "$work/time" "$@" >/dev/null 2>"$work/err" || {
        echo "failed: $* ($(tail -n 1 "$work/err"))" >&2
        return 1
    }
    read -r seconds user system kilobytes <"$work/time"
    wall=$(awk -v a="$wall" -v b="$seconds" 'BEGIN { print a + b }')
    cpu=$(awk -v a="$cpu" -v b="$user" -v c="$system" 'BEGIN { print a + b + c }')
    peak=$((kilobytes > peak ? kilobytes : peak))
}
report() {
    printf "%-34s %7.2f s wall %7.2f s cpu %6d MiB peak %7.1f MiB file\n" "$1" "$wall" "$cpu" $((peak / 1024)) \
        "$(awk -v b="$(stat -c %s "$2")" 'BEGIN { print b / 1048576 }')"
    wall=0 cpu=0 peak=0
}

timed "$cli" --settings-dir "$work/settings" --program-dir data/program page labels 0 "${photos[@]}" \
    -o "$work/ours.pdf" --page 5100,6600,600,600,5100,6600,0,0
report "glimmerpress-cli page" "$work/ours.pdf"

# Each 6000 x 4000 photo fitted into its 1575 x 600 cell is 900 x 600, centred: the first column
# starts at 113 + 337 = 450, the columns are 1650 apart, the rows 600 from the top at 300.
cells=()
for photo in "${photos[@]}"; do
    cell=$work/peer/$(basename "$photo" .jpg).v
    timed vips thumbnail "$photo" "$cell" 900 --height 600
    cells+=("$cell")
done
timed vips arrayjoin "${cells[*]}" "$work/peer/grid.v" --across 3 --hspacing 1650 --vspacing 600 --background 255
timed vips embed "$work/peer/grid.v" "$work/peer/page.v" 450 300 5100 6600 --extend background --background 255
timed vips tiffsave "$work/peer/page.v" "$work/peer/page.tif" --compression deflate --xres 23.622047 --yres 23.622047
timed tiff2pdf -z -o "$work/peer.pdf" "$work/peer/page.tif"
report "vips + tiff2pdf" "$work/peer.pdf"

convert -size 10x10 xc:white "$work/magick.pdf" 2>&1 | sed 's/^/ImageMagick: /' || true
