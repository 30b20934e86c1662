#!/bin/sh
# Times the pixel operations of glimmerpress-cli against libvips on one 6000 × 4000 24-bit
# picture, each tool on one thread and on two (GLIMMERPRESS_THREADS, VIPS_CONCURRENCY). Each tool
# reads its input file, works and writes its output (ours a BMP with its durable save, libvips
# its own format), so the times are whole runs, the best of three; the "copy" row is reading and
# writing alone. ratio = ours / libvips (at or below 1 means we are as fast). Peak memory is the
# largest resident size of our run and of libvips's; "mem/io" sets ours over the decoded input
# plus the decoded output. Prints the machine's load before and after.
#   bench/compare-transforms.sh [path/to/glimmerpress-cli]
set -eu

cli=${1:-build/default/src/cli/glimmerpress-cli}
[ -x "$cli" ] || { echo "compare-transforms.sh: $cli is not built" >&2; exit 2; }
command -v vips >/dev/null || { echo "compare-transforms.sh: vips is not installed" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen GLIMMERPRESS_WINDIR="$work"

convert -size 6000x4000 gradient:navy-orange -attenuate 0.3 +noise Gaussian -type TrueColor \
    "BMP3:$work/in.bmp"
vips copy "$work/in.bmp" "$work/in.v"
# A 256-entry table for the peer's table lookup (the brightness and tone rows).
vips identity "$work/lut.v"
vips linear "$work/lut.v" "$work/lut2.v" 1.2 10 --uchar
inBytes=$((6000 * 4000 * 3))

# "seconds peakKiB" of a command: the best elapsed time of three runs and its peak memory.
measure() {
    best="" peak=0
    for _ in 1 2 3; do
        /usr/bin/time -f "%e %M" -o "$work/time" "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
        read -r t m < "$work/time"
        best=$(awk -v a="$t" -v b="${best:-1e9}" 'BEGIN { print (a < b ? a : b) }')
        peak=$m
    done
    echo "$best $peak"
}

ours() { measure env GLIMMERPRESS_THREADS="$1" "$cli" edit "$work/in.bmp" "$work/out.bmp" ${2:+"$2"}; }
peer() {
    threads=$1 op=$2
    shift 2
    measure env VIPS_CONCURRENCY="$threads" vips "$op" "$work/in.v" "$work/out.v" "$@"
}

row() {
    name=$1 op=$2 vipsop=$3
    set -- $(ours 1 "$op"); o1=$1 om=$2
    outBytes=$(($(stat -c %s "$work/out.bmp") - 54))
    set -- $(ours 2 "$op"); o2=$1
    if [ -n "$vipsop" ]; then
        set -- $(peer 1 $vipsop); v1=$1 vm=$2
        set -- $(peer 2 $vipsop); v2=$1
    else
        v1=0 v2=0 vm=0
    fi
    awk -v n="$name" -v o1="$o1" -v v1="$v1" -v o2="$o2" -v v2="$v2" -v om="$om" -v vm="$vm" \
        -v io="$((inBytes + outBytes))" 'BEGIN {
        r1 = v1 > 0 ? sprintf("%6.2f", o1 / v1) : "     -"
        r2 = v2 > 0 ? sprintf("%6.2f", o2 / v2) : "     -"
        printf "%-14s %6.2f %6.2f %s   %6.2f %6.2f %s   %6.0f %6.0f %6.2f\n", n, o1, v1, r1, o2, v2, r2,
            om / 1024, vm / 1024, om * 1024 / io
    }'
}

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-14s %6s %6s %6s   %6s %6s %6s   %6s %6s %6s\n' operation ours1 vips1 ratio ours2 vips2 ratio oursMiB vipsMiB mem/io
row copy "" "copy"
row flip-h flip-h "flip horizontal"
row flip-v flip-v "flip vertical"
row rotate:90 rotate:90 "rot d90"
row rotate:180 rotate:180 "rot d180"
row rotate:270 rotate:270 "rot d270"
row rotate:33 rotate:33 "rotate 33 --interpolate bilinear"
row resample:0.5 resample:3000:2000:96 "resize 0.5 --kernel linear"
row resample:1.5 resample:9000:6000:96 "resize 1.5 --kernel linear"
row brightness brightness:20:20 "maplut $work/lut2.v"
row tone tone:20:10:-10 "maplut $work/lut2.v"
row huesat huesat:30:20 ""
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
