#!/usr/bin/env bash
# Builds the sanitizer build (clang; its fuzz targets are libFuzzer programs) and runs each fuzz
# target for SECONDS (default 60) on its seed corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
cmake --preset asan >/dev/null
cmake --build --preset asan -j"$(nproc)" --target glimmer_fuzzers
for target in build/asan/fuzz/fuzz_*; do
    [ -f "$target" ] && [ -x "$target" ] || continue
    name=$(basename "$target")
    corpus=build/asan/corpus/$name
    mkdir -p "$corpus"
    echo "--- $name"
    "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=65536 "$corpus" "fuzz/seeds/${name#fuzz_}" 2>&1 | tail -n 2
done
