#!/bin/bash
# Adds N (default 200) JPEG photos of 3000 x 2000 to an album with glimmerpress-cli, and makes
# 96-pixel thumbnails of the same files with ImageMagick (point sampling) and vipsthumbnail.
# Prints seconds, photos per second and peak memory of each.
# The photos are stored with colour at full resolution unless SAMPLING says otherwise ("2x2" is
# the half-width, half-height colour most cameras write).
# Usage: bench/compare-album.sh PATH-TO-glimmerpress-cli [N] [SAMPLING]
set -eu
cli="$1"
count="${2:-200}"
sampling="${3:-1x1}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/photos" "$work/im" "$work/vips" "$work/settings"
: > "$work/settings/GLMPRESS.INI"
convert -size 3000x2000 gradient:navy-orange -attenuate 0.3 +noise Uniform -quality 90 -sampling-factor "$sampling" "$work/photos/p000.jpg"
for i in $(seq 1 $((count - 1))); do cp "$work/photos/p000.jpg" "$(printf '%s/photos/p%03d.jpg' "$work" "$i")"; done

measure() {
    local name="$1"; shift
    /usr/bin/time -f "%e %M" -o "$work/time.txt" "$@" > /dev/null 2>&1
    read -r seconds kilobytes < "$work/time.txt"
    awk -v n="$name" -v s="$seconds" -v k="$kilobytes" -v c="$count" \
        'BEGIN { printf "%-28s %7.2f s  %7.1f photos/s  %7.1f MB peak\n", n, s, c / s, k / 1024 }'
}

measure "glimmerpress-cli album add" "$cli" --settings-dir "$work/settings" --data-dir "$work" \
    album add "$work/album.abm" "$work"/photos/*.jpg
measure "ImageMagick -sample 96x96" mogrify -path "$work/im" -format bmp -sample 96x96 "$work"/photos/*.jpg
measure "vipsthumbnail -s 96" vipsthumbnail -s 96 -o "$work/vips/%s.jpg" "$work"/photos/*.jpg
