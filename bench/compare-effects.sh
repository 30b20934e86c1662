#!/bin/sh
# Blur and Sharpen next to libvips and ImageMagick on one 6000 × 4000 24-bit picture, every tool
# on one thread. Each peer tool's time is its user + system CPU time minus that of a plain copy
# of the same file, so file reading and writing do not count; ours is the CPU time of the
# benchmark program (bench_effects), which times the computation alone. Ratios above 1 mean the
# peer tool took longer.
#
# Usage: bench/compare-effects.sh [BUILD_DIR]   (default build/default)
#
# The kernel lengths match Gaussian sigmas: intensity 50 gives 5 taps over ±2 pixels (sigma 1),
# intensity 100 gives 10 taps over ±5 pixels (sigma 2.5); Sharpen's 3-pixel box is compared with
# each tool's default-sized unsharp mask.
set -eu

build=${1:-build/default}
bench="$build/bench/editing/bench_effects"
[ -x "$bench" ] || { echo "build $bench first (cmake --build --preset default --target bench_effects)" >&2; exit 2; }
for tool in vips convert python3; do
    command -v "$tool" >/dev/null || { echo "$tool is missing" >&2; exit 2; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export VIPS_CONCURRENCY=1 OMP_NUM_THREADS=1

convert -size 6000x4000 gradient:red-blue -attenuate 0.3 +noise Uniform -depth 8 "$work/photo.ppm"
vips copy "$work/photo.ppm" "$work/photo.v"
convert "$work/photo.ppm" "$work/photo.mpc"

# CPU seconds (user + system) of a command, the best of three runs.
cpu() {
    best=""
    for _ in 1 2 3; do
        /usr/bin/time -f "%U %S" -o "$work/time" "$@" >/dev/null 2>&1
        t=$(awk '{ printf "%.3f", $1 + $2 }' "$work/time")
        if [ -z "$best" ] || awk -v a="$t" -v b="$best" 'BEGIN { exit !(a < b) }'; then best=$t; fi
    done
    echo "$best"
}

vipsBase=$(cpu vips copy "$work/photo.v" "$work/out.v")
vipsBlur50=$(cpu vips gaussblur "$work/photo.v" "$work/out.v" 1.0)
vipsBlur100=$(cpu vips gaussblur "$work/photo.v" "$work/out.v" 2.5)
vipsSharpen=$(cpu vips sharpen "$work/photo.v" "$work/out.v")
imBase=$(cpu convert -limit thread 1 "$work/photo.mpc" "$work/out.mpc")
imBlur50=$(cpu convert -limit thread 1 "$work/photo.mpc" -blur 0x1 "$work/out.mpc")
imBlur100=$(cpu convert -limit thread 1 "$work/photo.mpc" -blur 0x2.5 "$work/out.mpc")
imSharpen=$(cpu convert -limit thread 1 "$work/photo.mpc" -unsharp 0x1 "$work/out.mpc")

"$bench" --benchmark_filter='^(Blur|Sharpen)/' --benchmark_repetitions=3 --benchmark_report_aggregates_only=true \
    --benchmark_format=json >"$work/ours.json" 2>/dev/null

python3 - "$work/ours.json" "$vipsBase" "$vipsBlur50" "$vipsBlur100" "$vipsSharpen" \
    "$imBase" "$imBlur50" "$imBlur100" "$imSharpen" <<'PY'
import json, sys
runs = json.load(open(sys.argv[1]))["benchmarks"]
def ours(prefix):
    for run in runs:
        if run["name"].startswith(prefix) and run.get("aggregate_name") == "mean":
            return run["cpu_time"] / 1000.0
    raise SystemExit("no benchmark " + prefix)
v = [float(x) for x in sys.argv[2:6]]
m = [float(x) for x in sys.argv[6:10]]
rows = [("blur 50", ours("Blur/50"), v[1] - v[0], m[1] - m[0]),
        ("blur 100", ours("Blur/100"), v[2] - v[0], m[2] - m[0]),
        ("sharpen 50", ours("Sharpen/50"), v[3] - v[0], m[3] - m[0])]
print("%-11s %10s %10s %8s %12s %8s" % ("operation", "ours (s)", "vips (s)", "ratio", "magick (s)", "ratio"))
for name, o, vt, mt in rows:
    print("%-11s %10.3f %10.3f %8.2f %12.3f %8.2f" % (name, o, vt, vt / o, mt, mt / o))
PY
