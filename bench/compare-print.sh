#!/usr/bin/env bash
# Prints a 6000 × 4000 JPEG photo on a Letter page at 600 dpi to a PDF file with
# glimmerpress-cli, and converts the same JPEG to a PDF page with ImageMagick, reporting the
# wall time and peak memory of each. Usage: bench/print-compare.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build/default}
cli="$build/src/cli/glimmerpress-cli"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

convert -size 6000x4000 plasma:fractal -quality 92 "$work/photo.jpg"
echo "photo: 6000 x 4000, decoded 24-bit size $((6000 * 4000 * 3 / 1048576)) MiB"

measure() {
    local name=$1
    shift
    if /usr/bin/time -f "%e %U %M" -o "$work/time" "$@" >/dev/null 2>"$work/err"; then
        read -r seconds cpu kilobytes <"$work/time"
        printf "%-12s %6.2f s wall  %6.2f s cpu  %6d MiB peak\n" "$name" "$seconds" "$cpu" $((kilobytes / 1024))
    else
        printf '%-12s failed: %s\n' "$name" "$(tail -n 1 "$work/err")"
    fi
}

measure glimmerpress "$cli" --settings-dir "$work" print "$work/photo.jpg" -o "$work/ours.pdf" \
    --page 5100,6600,600,600,5100,6600,0,0 --dpi 750
measure imagemagick convert "$work/photo.jpg" -density 600 -page Letter "$work/theirs.pdf"
