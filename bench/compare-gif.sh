#!/bin/sh
# Times GIF reading and writing of glimmerpress-cli against ImageMagick (one thread) and giflib's
# gif2rgb on one 6000 × 4000 picture of 256 colours. Each tool reads its input file, works and
# writes its output, so the times include reading and writing. The ratio columns are the peer's
# time over ours (above 1 means we are faster).
#   bench/compare-gif.sh [path/to/glimmerpress-cli]
set -eu

cli=${1:-build/default/src/cli/glimmerpress-cli}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen GLIMMERPRESS_WINDIR=$work XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

convert -size 600x400 -seed 1 plasma: -resize '6000x4000!' -attenuate 0.3 +noise Gaussian -type TrueColor \
    "BMP3:$work/in.bmp"
# The 256-colour picture every row starts from, reduced and written by our Save As GIF.
"$cli" convert "$work/in.bmp" "$work/in.gif"
convert -limit thread 1 "$work/in.gif" -type Palette "BMP3:$work/in8.bmp"

# Seconds taken by a command, with its output thrown away.
seconds() {
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s.%N)
    echo "$end - $start" | bc -l
}

row() {
    name=$1 ours=$2 magick=$3 giflib=${4:-}
    printf '%-16s %8.2f %8.2f %9.2f' "$name" "$ours" "$magick" "$(echo "$magick / $ours" | bc -l)"
    [ -n "$giflib" ] && printf ' %8.2f %9.2f' "$giflib" "$(echo "$giflib / $ours" | bc -l)"
    printf '\n'
}

printf '%-16s %8s %8s %9s %8s %9s\n' operation ours magick magick/us gif2rgb gif2rgb/us
printf '%-16s %8s %8s %9s %8s %9s\n' '' '(s)' '(s)' '' '(s)' ''
row "GIF to BMP" \
    "$(seconds "$cli" convert --raw "$work/in.gif" "$work/out.bmp")" \
    "$(seconds convert -limit thread 1 "$work/in.gif" "BMP3:$work/out-m.bmp")" \
    "$(seconds gif2rgb -1 -o "$work/out.rgb" "$work/in.gif")"
row "8-bit BMP to GIF" \
    "$(seconds "$cli" convert --raw "$work/in8.bmp" "$work/out.gif")" \
    "$(seconds convert -limit thread 1 "$work/in8.bmp" "$work/out-m.gif")"
row "GIF to GIF" \
    "$(seconds "$cli" convert --raw "$work/in.gif" "$work/out2.gif")" \
    "$(seconds convert -limit thread 1 "$work/in.gif" "$work/out2-m.gif")"
row "24-bit to GIF" \
    "$(seconds "$cli" convert "$work/in.bmp" "$work/out3.gif")" \
    "$(seconds convert -limit thread 1 "$work/in.bmp" -dither FloydSteinberg -colors 256 "$work/out3-m.gif")"
