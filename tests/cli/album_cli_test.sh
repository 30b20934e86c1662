#!/bin/bash
# Drives glimmerpress-cli's album and slideshow commands on photos made by ImageMagick.
# Usage: album_cli_test.sh PATH-TO-glimmerpress-cli
set -u
cli="$1"
command -v convert >/dev/null || { echo "ImageMagick is missing"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir settings data
: > settings/GLMPRESS.INI
run() { "$cli" --settings-dir settings --data-dir data "$@" 2>>stderr.txt; }
fail() { echo "FAIL: $*"; cat stderr.txt; exit 1; }

convert -size 400x300 gradient:red-blue -type truecolor a.bmp
convert -size 300x400 xc:'#203040' -type truecolor b.bmp
convert -size 50x20 xc:green -type palette c.bmp

[ "$(run album new 'My trip')" = '{"index":0, "file":"data/ALBUMS/album1.abm", "name":"My trip"}' ] || fail "album new"
run album new '' >/dev/null
[ "$(run album list | wc -l)" = 2 ] || fail "album list"
grep -q '^album2.abm=Untitled-2' settings/GLMPRESS.INI || fail "registry line"

album=data/ALBUMS/album1.abm
run album add $album a.bmp b.bmp c.bmp a.bmp > out.txt || fail "album add"
grep -q '"added":3, "count":3' out.txt || fail "three photos, the duplicate left out"
run album add $album nothere.bmp > /dev/null && fail "a missing photo fails"
grep -q 'Warning: Can not locate the file.' stderr.txt || fail "missing-file message"

run album show $album > show.txt || fail "album show"
grep -q '"width":400, "height":300, "thumbWidth":96, "thumbHeight":72' show.txt || fail "400 x 300 thumbnail"
grep -q '"width":300, "height":400, "thumbWidth":72, "thumbHeight":96' show.txt || fail "300 x 400 thumbnail"
grep -q '"bits":[18], "width":50, "height":20, "thumbWidth":50, "thumbHeight":20' show.txt || fail "50 x 20 thumbnail"
size=$(stat -c %s $album)
[ "$(od -An -tu4 -j4 -N4 $album | tr -d ' ')" = "$size" ] || fail "total length"

run album sort $album size --reverse || fail "album sort"
run album show $album | sed -n 2p | grep -q '"index":0, "path":"[^"]*/[ab].bmp"' || fail "largest first"
run album sort $album size || fail "album sort"
run album show $album | sed -n 2p | grep -q 'c.bmp' || fail "smallest first"

run album thumbs $album thumbs || fail "album thumbs"
[ "$(identify -format '%wx%h' thumbs/0001.png)" = "96x72" ] || [ "$(identify -format '%wx%h' thumbs/0001.png)" = "72x96" ] \
    || fail "thumbnail image size"
# The thumbnail of the one-colour photo is that colour.
[ "$(convert thumbs/0000.png -format '%[pixel:p{10,10}]' info:)" = "srgb(0,128,0)" ] || fail "thumbnail pixels"

run album remove $album 0 || fail "album remove"
[ "$(run album show $album | head -1)" = '{"file":"data/ALBUMS/album1.abm", "count":2, "description":""}' ] \
    || fail "two photos left"

# b.bmp (300 x 400) first: fitted to 120 x 160 on 200 x 160, centred 40 pixels in.
run album sort $album name
run album remove $album 0
run slideshow frames $album --effect 1 --size 200x160 frames > frames.txt || fail "slideshow frames"
grep -q '"frames":160, "picture":\[40,0,120,160\]' frames.txt || fail "one frame per row"
[ "$(convert frames/frame0160.png -format '%[pixel:p{100,80}]' info:)" = "srgb(32,48,64)" ] || fail "last frame"
[ "$(convert frames/frame0160.png -format '%[pixel:p{10,80}]' info:)" = "srgb(0,0,0)" ] || fail "black band"
[ "$(convert frames/frame0001.png -format '%[pixel:p{100,80}]' info:)" = "srgb(0,0,0)" ] || fail "first frame"
run slideshow frames $album --effect 133 --size 200x160 frames && fail "effect out of range"

# Print Thumbnails: photo 1 alone with its name, to a PDF that renders with the thumbnail on it.
run album print-thumbnails $album -o thumbs.pdf --from 1 --to 1 --names > printed.txt || fail "print-thumbnails"
grep -q '"printed":1' printed.txt || fail "one thumbnail printed"
if command -v pdftoppm >/dev/null; then
    pdftoppm -r 30 -png -singlefile thumbs.pdf sheet || fail "the PDF renders"
    [ "$(convert sheet.png -colorspace gray -format '%[fx:minima<0.8]' info:)" = 1 ] || fail "something printed"
fi
run album print-thumbnails $album -o t.pdf --from 3 --to 2 && fail "a reversed range is a usage error"
run album print-thumbnails $album --from 1 && fail "no output is a usage error"
run album print-thumbnails $album -o none.pdf --from 9 --to 9 && fail "an empty range prints nothing"
grep -q '^Beep$' stderr.txt || fail "the empty range beeps"

# A Photo CD photo joins an album read at 128 x 192, without the options dialog.
if convert -size 400x600 gradient:yellow-navy p.pcd 2>/dev/null; then
    run album add pcd.abm p.pcd > out.txt || fail "Photo CD add"
    run album show pcd.abm | grep -q '"width":128, "height":192, "thumbWidth":64, "thumbHeight":96' \
        || fail "Photo CD read at the thumbnail resolution"
fi
echo "all album commands behave"
